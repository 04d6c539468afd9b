#include "tests/support/GuiObjects.h"

#include <winternl.h>

#include <cstring>

namespace {

// One entry of the GDI handle table as Wine lays it out, for 32-bit and
// 64-bit processes alike; an entry in use has a non-zero type.
struct GdiHandleEntry
{
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr size_t kGdiHandleCount = 0x10000;

// Where the process environment block keeps the table's address.
#ifdef _WIN64
constexpr size_t kGdiSharedHandleTableOffset = 0xF8;
#else
constexpr size_t kGdiSharedHandleTableOffset = 0x94;
#endif

DWORD CountGdiHandleTableEntries()
{
    PROCESS_BASIC_INFORMATION process{};
    ::NtQueryInformationProcess(
        ::GetCurrentProcess(), ProcessBasicInformation, &process, sizeof process, nullptr);
    const auto* peb = reinterpret_cast<const BYTE*>(process.PebBaseAddress);
    const GdiHandleEntry* table;
    std::memcpy(&table, peb + kGdiSharedHandleTableOffset, sizeof table);
    DWORD count = 0;
    for (size_t index = 0; table && index < kGdiHandleCount; ++index)
        count += table[index].type != 0 ? 1 : 0;
    return count;
}

BOOL CALLBACK CountChildWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevelWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<DWORD*>(count);
    // Children of children are enumerated too.
    ::EnumChildWindows(window, &CountChildWindow, count);
    return TRUE;
}

} // namespace

DWORD GdiObjectCount()
{
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return reported ? reported : CountGdiHandleTableEntries();
}

DWORD UserObjectCount()
{
    const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (reported)
        return reported;
    DWORD count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountTopLevelWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}
