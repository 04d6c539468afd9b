#pragma once

#include <string>
#include <vector>

namespace who {

// Whether this program runs elevated while programs below its integrity
// level run in its session, such as the user's own unelevated ones: a DLL or
// program it loads from a place they can write would run with its rights.
// Where everything runs at one level (no split token, or a system that keeps
// none), nothing is gained by planting one.
bool RunsAboveOtherPrograms();

// Who besides the system and the administrators could change one of the
// files in the folder (names alone), put files into it, or replace it by
// renaming it or a folder above it: such as "PC\bob may write to C:\x\". Empty
// when nobody else could; what went wrong where the security cannot be read.
std::string WritableByOthers(const std::wstring& folder, const std::vector<std::wstring>& files);

} // namespace who
