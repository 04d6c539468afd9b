#pragma once

// What the who query and its hook DLLs share: the query the program publishes
// in a named mapping, and the report a hook sends back with WM_COPYDATA.
// 32-bit and 64-bit modules read the same bytes, so every field has a fixed
// size and offset, and window handles travel as 64-bit numbers.

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace who {

constexpr wchar_t kQueryMappingName[] = L"KeyvaneWhoQuery";
constexpr std::uint32_t kProtocolVersion = 2;
// dwData of the WM_COPYDATA that carries a report.
constexpr std::uintptr_t kReportTag = 0x4b57484f;

constexpr unsigned kKeyCount = 256;
constexpr unsigned kModifierSets = 16;

struct Query
{
    std::uint32_t version;
    // Processes that installed the hooks: a hook that runs inside them is the
    // system calling it on behalf of a program of the other bitness, with
    // nothing to tell about the owner.
    std::uint32_t installers[2];
    std::uint32_t padding;
    std::uint64_t reportWindow;
    // One bit per key and modifier set (MOD_* bits): the combinations asked.
    std::uint8_t asked[kKeyCount * kModifierSets / 8];
};
static_assert(offsetof(Query, version) == 0);
static_assert(offsetof(Query, installers) == 4);
static_assert(offsetof(Query, reportWindow) == 16);
static_assert(offsetof(Query, asked) == 24);
static_assert(sizeof(Query) == 24 + kKeyCount * kModifierSets / 8);

// The modifiers of a WM_HOTKEY's lParam: its low word, masked to the four
// modifier bits, since the system may set others (MOD_NOREPEAT among them).
inline unsigned HotkeyModifiersOf(std::uint32_t lParam)
{
    return LOWORD(lParam) & (MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN);
}

inline bool InRange(unsigned key, unsigned modifiers) { return key < kKeyCount && modifiers < kModifierSets; }

inline unsigned AskedBit(unsigned key, unsigned modifiers) { return key * kModifierSets + modifiers; }

// False, leaving the query as it was, for a key or modifier set no hotkey can have.
inline bool MarkAsked(Query& query, unsigned key, unsigned modifiers)
{
    if (!InRange(key, modifiers))
        return false;
    const unsigned bit = AskedBit(key, modifiers);
    query.asked[bit / 8] = static_cast<std::uint8_t>(query.asked[bit / 8] | (1u << (bit % 8)));
    return true;
}

inline bool IsAsked(const Query& query, unsigned key, unsigned modifiers)
{
    if (!InRange(key, modifiers))
        return false;
    const unsigned bit = AskedBit(key, modifiers);
    return (query.asked[bit / 8] >> (bit % 8)) & 1u;
}

// Whether the query's report window belongs to the process that published
// it, as a running query's does.
inline bool ReportsToInstaller(const Query& query)
{
    DWORD owner = 0;
    ::GetWindowThreadProcessId(
        reinterpret_cast<HWND>(static_cast<std::uintptr_t>(query.reportWindow)), &owner);
    return owner != 0 && owner == query.installers[0];
}

// What a hook says about the thread that took an asked press. The program
// that asked takes it as a claim: it checks the parts against one another and
// finds the executable itself.
struct Report
{
    std::uint32_t version;
    std::uint32_t processId;
    std::uint32_t threadId;
    std::int32_t hotkeyId;
    std::uint64_t window;
    // The lParam of the WM_HOTKEY: modifiers in the low word, key in the high.
    std::uint32_t combination;
    std::uint32_t padding;
};
static_assert(offsetof(Report, version) == 0);
static_assert(offsetof(Report, processId) == 4);
static_assert(offsetof(Report, threadId) == 8);
static_assert(offsetof(Report, hotkeyId) == 12);
static_assert(offsetof(Report, window) == 16);
static_assert(offsetof(Report, combination) == 24);
static_assert(sizeof(Report) == 32);

} // namespace who
