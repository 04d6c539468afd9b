#pragma once

#include <windows.h>

namespace who {

// The machine type (IMAGE_FILE_MACHINE_*) this program is built for.
#ifdef _WIN64
constexpr USHORT kOwnMachine = IMAGE_FILE_MACHINE_AMD64;
constexpr USHORT kOtherBitnessMachine = IMAGE_FILE_MACHINE_I386;
#else
constexpr USHORT kOwnMachine = IMAGE_FILE_MACHINE_I386;
constexpr USHORT kOtherBitnessMachine = IMAGE_FILE_MACHINE_AMD64;
#endif

// The machine type the process's code is for; IMAGE_FILE_MACHINE_UNKNOWN
// where that cannot be told. A hook DLL loads only into processes of its own
// machine type. Told by IsWow64Process2 where the system has it, which
// tells ARM64 from x64; else by IsWow64Process and the system's own type.
USHORT ProcessMachine(HANDLE process);

// A name for the machine type in messages: "32-bit", "64-bit", "ARM64".
const char* MachineName(USHORT machine);

} // namespace who
