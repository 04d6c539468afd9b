#pragma once

#include <windows.h>

#include <string>

// The longest path the system takes, in characters.
constexpr DWORD kLongestPath = 32768;

// The folder of the running program, with a trailing separator, however
// long; empty when the system cannot tell it.
std::wstring ProgramFolder();
