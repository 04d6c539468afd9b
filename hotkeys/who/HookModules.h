#pragma once

#include "win32/ProgramFolder.h"
#include "win32/SystemError.h"

#include <windows.h>

#include <string>

namespace who {

// The hook DLL and helper program of each bitness, all beside the census program.
struct Bitness
{
    const wchar_t* hookDll;
    const wchar_t* helper;
};
constexpr Bitness k32Bit{L"keyvane-who-hook32.dll", L"keyvane-who-helper32.exe"};
constexpr Bitness k64Bit{L"keyvane-who-hook64.dll", L"keyvane-who-helper64.exe"};
#ifdef _WIN64
constexpr Bitness kOwnBitness = k64Bit;
constexpr Bitness kOtherBitness = k32Bit;
#else
constexpr Bitness kOwnBitness = k32Bit;
constexpr Bitness kOtherBitness = k64Bit;
#endif

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
