#pragma once

#include <string>

// What a process is called, from /proc: its executable's path where this user
// may read it, else the name it gives itself. Empty when the process is gone.
struct ProcessName
{
    std::string program;   // "/usr/bin/openbox", or "openbox"
    std::string shortName; // "openbox"
};
ProcessName NameOfProcess(unsigned long pid);
