#pragma once

// What the who query and its hook DLLs share: the query the program publishes
// in a named mapping, and the report a hook sends back with WM_COPYDATA.
// 32-bit and 64-bit modules read the same bytes, so every field has a fixed
// size and window handles travel as 64-bit numbers.

#include <cstdint>

namespace who {

constexpr char kQueryMappingName[] = "KeyvaneWhoQuery";
constexpr std::uint32_t kProtocolVersion = 1;
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
    std::uint64_t reportWindow;
    // One bit per key and modifier set (MOD_* bits): the combinations asked.
    std::uint8_t asked[kKeyCount * kModifierSets / 8];
};

inline unsigned AskedBit(unsigned key, unsigned modifiers) { return key * kModifierSets + modifiers; }

inline void MarkAsked(Query& query, unsigned key, unsigned modifiers)
{
    const unsigned bit = AskedBit(key, modifiers);
    query.asked[bit / 8] = static_cast<std::uint8_t>(query.asked[bit / 8] | (1u << (bit % 8)));
}

inline bool IsAsked(const Query& query, unsigned key, unsigned modifiers)
{
    if (key >= kKeyCount || modifiers >= kModifierSets)
        return false;
    const unsigned bit = AskedBit(key, modifiers);
    return (query.asked[bit / 8] >> (bit % 8)) & 1u;
}

constexpr unsigned kPathChars = 1024;

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
    char executable[kPathChars];
};

} // namespace who
