#include "census/core/CombinationText.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace {

struct ModifierName
{
    std::string_view name;
    unsigned bit;
};

// The first name of each bit is the one written; the order is the one of
// combination texts.
constexpr std::array<ModifierName, 6> kModifierNames = {{
    {"Ctrl", kModCtrl},
    {"Alt", kModAlt},
    {"Shift", kModShift},
    {"Win", kModWin},
    {"Control", kModCtrl},
    {"Super", kModWin},
}};

constexpr size_t kWrittenModifiers = 4;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The modifier whose name, followed by "+", starts the text.
const ModifierName* LeadingModifier(std::string_view text)
{
    for (const ModifierName& modifier : kModifierNames) {
        if (text.size() > modifier.name.size() && text[modifier.name.size()] == '+'
            && EqualsIgnoringCase(text.substr(0, modifier.name.size()), modifier.name))
            return &modifier;
    }
    return nullptr;
}

std::string_view WrittenName(unsigned bit)
{
    for (size_t i = 0; i < kWrittenModifiers; ++i) {
        if (kModifierNames[i].bit == bit)
            return kModifierNames[i].name;
    }
    return {};
}

} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

std::string CodeText(unsigned key)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%02x", key);
    return text;
}

std::string CombinationText(unsigned modifiers, std::string_view keyText)
{
    std::string text;
    for (size_t i = 0; i < kWrittenModifiers; ++i) {
        if (modifiers & kModifierNames[i].bit) {
            text += kModifierNames[i].name;
            text += '+';
        }
    }
    text += keyText;
    return text;
}

std::optional<unsigned> ParseHexCode(std::string_view text)
{
    if (text.size() < 3 || text[0] != '0' || LowerAscii(text[1]) != 'x')
        return std::nullopt;
    unsigned code = 0;
    const char* const last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data() + 2, last, code, 16);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return code;
}

ParsedCombination ParseCombination(std::string_view text, const CensusBackend& backend)
{
    const std::string quoted = "\"" + std::string(text) + "\"";
    unsigned modifiers = 0;
    std::string_view rest = text;
    while (const ModifierName* modifier = LeadingModifier(rest)) {
        if (modifiers & modifier->bit)
            return {std::nullopt, quoted + ": " + std::string(WrittenName(modifier->bit)) + " given twice"};
        modifiers |= modifier->bit;
        rest.remove_prefix(modifier->name.size() + 1);
    }
    if (rest.empty())
        return {std::nullopt, quoted + ": no key"};
    const std::optional<unsigned> key = backend.ParseKey(rest);
    if (!key)
        return {std::nullopt, quoted + ": unknown key \"" + std::string(rest) + "\""};
    return {Combination{*key, modifiers}, {}};
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
