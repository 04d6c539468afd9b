#pragma once

#include <windows.h>

#include <string>

namespace who {

// The hook DLL and helper program of each bitness, all beside the census program.
struct Bitness
{
    const char* hookDll;
    const char* helper;
};
constexpr Bitness k32Bit{"keyvane-who-hook32.dll", "keyvane-who-helper32.exe"};
constexpr Bitness k64Bit{"keyvane-who-hook64.dll", "keyvane-who-helper64.exe"};
#ifdef _WIN64
constexpr Bitness kOwnBitness = k64Bit;
constexpr Bitness kOtherBitness = k32Bit;
#else
constexpr Bitness kOwnBitness = k32Bit;
constexpr Bitness kOtherBitness = k64Bit;
#endif

// The folder of the running program, with a trailing separator.
std::string ProgramFolder();

// This bitness's hook, installed for every thread of the desktop for the
// lifetime of the object. The installing thread must keep reading messages:
// the system may run the hook there for programs of the other bitness.
class InstalledHook
{
public:
    InstalledHook();
    ~InstalledHook();

    InstalledHook(const InstalledHook&) = delete;
    InstalledHook& operator=(const InstalledHook&) = delete;

    // Empty when installed; otherwise what went wrong.
    const std::string& Error() const { return m_error; }

private:
    HMODULE m_module = nullptr;
    HHOOK m_hook = nullptr;
    std::string m_error;
};

// "<what> failed: <system message> (error N)".
std::string SystemError(const std::string& what, DWORD error);

} // namespace who
