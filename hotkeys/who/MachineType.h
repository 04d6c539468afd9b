#pragma once

#include <windows.h>

namespace who {

// The hook DLL and helper program of each bitness, all beside the census
// program, and the machine type (IMAGE_FILE_MACHINE_*) they are built for.
struct Bitness
{
    const wchar_t* hookDll;
    const wchar_t* helper;
    USHORT machine;
};
constexpr Bitness k32Bit{L"keyvane-who-hook32.dll", L"keyvane-who-helper32.exe", IMAGE_FILE_MACHINE_I386};
constexpr Bitness k64Bit{L"keyvane-who-hook64.dll", L"keyvane-who-helper64.exe", IMAGE_FILE_MACHINE_AMD64};
#ifdef _WIN64
constexpr Bitness kOwnBitness = k64Bit;
constexpr Bitness kOtherBitness = k32Bit;
#else
constexpr Bitness kOwnBitness = k32Bit;
constexpr Bitness kOtherBitness = k64Bit;
#endif

// The machine type the process's code is for; IMAGE_FILE_MACHINE_UNKNOWN
// where that cannot be told. A hook DLL loads only into processes of its own
// machine type. Told by IsWow64Process2 where the system has it, which
// tells ARM64 from x64; else by IsWow64Process and the system's own type.
USHORT ProcessMachine(HANDLE process);

// A name for the machine type in messages: "32-bit", "64-bit", "ARM64".
const char* MachineName(USHORT machine);

} // namespace who
