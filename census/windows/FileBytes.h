#pragma once

#include <string>

// A whole file read into memory, or why it could not be.
struct FileBytes
{
    bool read = false;
    std::string bytes;
    std::string error; // the system's message; empty when read
};

// Reads a file on a disk (a pipe or device behind the name could keep the
// read waiting for ever), up to a size no settings file or script reaches.
FileBytes ReadFileBytes(const std::wstring& path);
