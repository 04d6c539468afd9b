#pragma once

#include "hotkeys/who/MachineType.h"
#include "win32/ProgramFolder.h"
#include "win32/SystemError.h"

#include <windows.h>

#include <string>

namespace who {

// This bitness's hook DLL, loaded for as long as the object lives.
class HookLibrary
{
public:
    HookLibrary();
    ~HookLibrary();

    HookLibrary(const HookLibrary&) = delete;
    HookLibrary& operator=(const HookLibrary&) = delete;

    // Empty when loaded; otherwise what went wrong (UTF-8).
    const std::string& Error() const { return m_error; }
    HMODULE Module() const { return m_module; }
    HOOKPROC Procedure() const { return m_procedure; }

private:
    HMODULE m_module = nullptr;
    HOOKPROC m_procedure = nullptr;
    std::string m_error;
};

// The library's hook installed for one thread, or for every thread of the
// desktop with thread id 0, for the lifetime of the object. The installing
// thread must keep reading messages: the system may run a global hook there
// for programs of the other bitness.
class WindowsHook
{
public:
    WindowsHook(const HookLibrary& library, DWORD threadId);
    ~WindowsHook();

    WindowsHook(const WindowsHook&) = delete;
    WindowsHook& operator=(const WindowsHook&) = delete;

    bool Installed() const { return m_hook != nullptr; }

private:
    HHOOK m_hook;
};

} // namespace who
