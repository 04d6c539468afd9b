#pragma once

#include <windows.h>

#include <string>

// A file or folder of the tools' fixtures beside the test program.
inline std::wstring ToolData(const std::wstring& name)
{
    wchar_t program[MAX_PATH];
    const std::wstring path(program, ::GetModuleFileNameW(nullptr, program, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"tool-data\\" + name;
}
