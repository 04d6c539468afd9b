#include "census/windows/WindowsKeys.h"

#include "hotkeys/KeyNames.h"
#include "census/core/CombinationText.h"

#include <windows.h>

#include <array>

namespace {

constexpr unsigned kLowestKey = 1; // code 0 is no key and is never probed
constexpr unsigned kHighestKey = 255;
constexpr std::string_view kSymbolPrefix = "VK_";

struct Alias
{
    std::string_view name;
    unsigned key;
};

constexpr std::array<Alias, 9> kAliases = {{
    {"Esc", VK_ESCAPE},
    {"PgUp", VK_PRIOR},
    {"PgDn", VK_NEXT},
    {"Del", VK_DELETE},
    {"Ins", VK_INSERT},
    {"Space", VK_SPACE},
    {"Enter", VK_RETURN},
    {"Plus", VK_OEM_PLUS},
    {"Minus", VK_OEM_MINUS},
}};

const VirtualKeyName& Entry(unsigned key) { return g_virtualKeyNames[key]; }

bool HasSymbol(const VirtualKeyName& record)
{
    return std::string_view(record.symbol).starts_with(kSymbolPrefix);
}

// Placeholders ("<Reserved>") name no key.
bool HasDescription(const VirtualKeyName& record)
{
    return record.description && record.description[0] != '<';
}

std::optional<unsigned> KeyBySymbol(std::string_view name)
{
    for (unsigned key = kLowestKey; key <= kHighestKey; ++key) {
        if (!HasSymbol(Entry(key)))
            continue;
        const std::string_view symbol = Entry(key).symbol;
        if (EqualsIgnoringCase(name, symbol) || EqualsIgnoringCase(name, symbol.substr(kSymbolPrefix.size())))
            return key;
    }
    return std::nullopt;
}

std::optional<unsigned> KeyByDescription(std::string_view name)
{
    std::optional<unsigned> found;
    for (unsigned key = kLowestKey; key <= kHighestKey; ++key) {
        if (!HasDescription(Entry(key)) || !EqualsIgnoringCase(name, Entry(key).description))
            continue;
        if (found)
            return std::nullopt;
        found = key;
    }
    return found;
}

} // namespace

std::optional<unsigned> ParseWindowsKey(std::string_view name)
{
    if (const std::optional<unsigned> code = ParseHexCode(name))
        return *code >= kLowestKey && *code <= kHighestKey ? code : std::nullopt;
    for (const Alias& alias : kAliases) {
        if (EqualsIgnoringCase(name, alias.name))
            return alias.key;
    }
    if (const std::optional<unsigned> key = KeyBySymbol(name))
        return key;
    return KeyByDescription(name);
}

std::string WindowsKeyText(unsigned key)
{
    const VirtualKeyName& record = Entry(key);
    if (HasDescription(record) && ParseWindowsKey(record.description) == key)
        return record.description;
    if (HasSymbol(record))
        return std::string(std::string_view(record.symbol).substr(kSymbolPrefix.size()));
    return CodeText(key);
}

std::string WindowsKeyName(unsigned key)
{
    const char* description = Entry(key).description;
    return description ? description : "";
}
