#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The folder of the running test program, where every program of the build is.
std::string TestProgramFolder();

// keyvane-census.exe run as its own process, reading this thread's messages
// while it runs (so that a low-level hook here sees its key presses), its
// output caught in files.
struct ProgramRun
{
    int status;
    std::string out;
    std::string err;
    DWORD elapsedMs;
};

// Arguments are UTF-8.
ProgramRun RunCensusProgram(const std::string& arguments);

// The same, keyvane-census.exe started from another folder (with a trailing separator).
ProgramRun RunCensusProgramIn(const std::wstring& folder, const std::string& arguments);

// The same, sending the program a Ctrl+Break as soon as breakWhen returns
// true; breakSent tells whether the system took it.
ProgramRun RunCensusProgram(
    const std::string& arguments, const std::function<bool()>& breakWhen, bool& breakSent);
