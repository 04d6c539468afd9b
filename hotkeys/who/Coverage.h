#pragma once

#include <windows.h>

#include <string>

namespace who {

// Why the hooks do not reach every program that could take a press: a
// program with a message queue whose machine type is neither this program's
// nor, when one runs, its helper's (helperMachine, or 0 for none). Empty when
// they do. Programs this one may not look into are not counted: no hook of
// ours reaches them either way, as programs elevated above this one.
std::string UncoveredPrograms(USHORT helperMachine);

} // namespace who
