#pragma once

#include <windows.h>

#include <chrono>

// Waits up to the time given for the reader of a pipe to close it; false as
// soon as it has. A file or a console never ends the wait early.
bool WaitWhileRead(HANDLE output, std::chrono::milliseconds time);
