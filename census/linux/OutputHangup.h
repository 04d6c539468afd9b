#pragma once

#include <chrono>

// Waits up to the time given for the reader of the descriptor to go away (a
// pipe's reader closing it, a terminal hanging up); false as soon as it has.
// A file or a terminal that stays never ends the wait early.
bool WaitWhileRead(int descriptor, std::chrono::milliseconds time);
