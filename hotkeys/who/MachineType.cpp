#include "hotkeys/who/MachineType.h"

namespace who {

namespace {

using IsWow64Process2Function = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);

// Looked up once: older systems do not have it.
IsWow64Process2Function FindIsWow64Process2()
{
    static const auto function = reinterpret_cast<IsWow64Process2Function>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "IsWow64Process2")));
    return function;
}

USHORT NativeMachine()
{
    SYSTEM_INFO system{};
    ::GetNativeSystemInfo(&system);
    switch (system.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_AMD64:
        return IMAGE_FILE_MACHINE_AMD64;
    case PROCESSOR_ARCHITECTURE_INTEL:
        return IMAGE_FILE_MACHINE_I386;
    case PROCESSOR_ARCHITECTURE_ARM64:
        return IMAGE_FILE_MACHINE_ARM64;
    default:
        return IMAGE_FILE_MACHINE_UNKNOWN;
    }
}

} // namespace

USHORT ProcessMachine(HANDLE process)
{
    if (const IsWow64Process2Function isWow64Process2 = FindIsWow64Process2()) {
        USHORT emulated = IMAGE_FILE_MACHINE_UNKNOWN;
        USHORT native = IMAGE_FILE_MACHINE_UNKNOWN;
        if (!isWow64Process2(process, &emulated, &native))
            return IMAGE_FILE_MACHINE_UNKNOWN;
        return emulated != IMAGE_FILE_MACHINE_UNKNOWN ? emulated : native;
    }
    BOOL wow64 = FALSE;
    if (!::IsWow64Process(process, &wow64))
        return IMAGE_FILE_MACHINE_UNKNOWN;
    return wow64 ? USHORT{IMAGE_FILE_MACHINE_I386} : NativeMachine();
}

const char* MachineName(USHORT machine)
{
    switch (machine) {
    case IMAGE_FILE_MACHINE_I386:
        return "32-bit";
    case IMAGE_FILE_MACHINE_AMD64:
        return "64-bit";
    case IMAGE_FILE_MACHINE_ARM64:
        return "ARM64";
    case IMAGE_FILE_MACHINE_ARMNT:
        return "32-bit ARM";
    default:
        return "other";
    }
}

} // namespace who
