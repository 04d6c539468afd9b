#pragma once

#include <windows.h>

// True while the key is down at this moment (the high bit of the async state).
inline bool IsKeyHeld(int virtualKey) { return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
