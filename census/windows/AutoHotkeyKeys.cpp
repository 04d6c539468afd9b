#include "census/windows/AutoHotkeyKeys.h"

#include "census/core/CombinationText.h"
#include "census/windows/WindowsKeys.h"
#include "win32/WideText.h"

#include <windows.h>

#include <array>
#include <charconv>

namespace {

struct KeyAlias
{
    std::string_view name;
    unsigned key;
};

// The names AutoHotkey spells otherwise than the key table. The Numpad
// navigation names are the keys a numeric keypad sends with Num Lock off.
constexpr std::array<KeyAlias, 37> kAutoHotkeyNames = {{
    {"BS", VK_BACK},
    {"CapsLock", VK_CAPITAL},
    {"ScrollLock", VK_SCROLL},
    {"PrintScreen", VK_SNAPSHOT},
    {"AppsKey", VK_APPS},
    {"CtrlBreak", VK_CANCEL},
    {"Ctrl", VK_CONTROL},
    {"LCtrl", VK_LCONTROL},
    {"RCtrl", VK_RCONTROL},
    {"LControl", VK_LCONTROL},
    {"RControl", VK_RCONTROL},
    {"LAlt", VK_LMENU},
    {"RAlt", VK_RMENU},
    {"NumpadDot", VK_DECIMAL},
    {"NumpadDiv", VK_DIVIDE},
    {"NumpadMult", VK_MULTIPLY},
    {"NumpadAdd", VK_ADD},
    {"NumpadSub", VK_SUBTRACT},
    {"NumpadEnter", VK_RETURN},
    {"NumpadDel", VK_DELETE},
    {"NumpadIns", VK_INSERT},
    {"NumpadClear", VK_CLEAR},
    {"NumpadUp", VK_UP},
    {"NumpadDown", VK_DOWN},
    {"NumpadLeft", VK_LEFT},
    {"NumpadRight", VK_RIGHT},
    {"NumpadHome", VK_HOME},
    {"NumpadEnd", VK_END},
    {"NumpadPgUp", VK_PRIOR},
    {"NumpadPgDn", VK_NEXT},
    {"Media_Next", VK_MEDIA_NEXT_TRACK},
    {"Media_Prev", VK_MEDIA_PREV_TRACK},
    {"Launch_Media", VK_LAUNCH_MEDIA_SELECT},
    {"Browser_Favorites", VK_BROWSER_FAVORITES},
    {"Volume_Mute", VK_VOLUME_MUTE},
    {"Volume_Down", VK_VOLUME_DOWN},
    {"Volume_Up", VK_VOLUME_UP},
}};

// The keys a custom combination's prefix may be that are modifiers of a
// combination all the same.
struct ModifierKey
{
    unsigned key;
    unsigned modifier;
};
constexpr std::array<ModifierKey, 11> kModifierKeys = {{
    {VK_CONTROL, kModCtrl},
    {VK_LCONTROL, kModCtrl},
    {VK_RCONTROL, kModCtrl},
    {VK_MENU, kModAlt},
    {VK_LMENU, kModAlt},
    {VK_RMENU, kModAlt},
    {VK_SHIFT, kModShift},
    {VK_LSHIFT, kModShift},
    {VK_RSHIFT, kModShift},
    {VK_LWIN, kModWin},
    {VK_RWIN, kModWin},
}};

std::optional<unsigned> Number(std::string_view digits, int base)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

// "vk1B", "sc01E", "vk1Bsc001": the virtual key wins where both are given.
std::optional<unsigned> CodedKey(std::string_view name)
{
    if (StartsWithIgnoringCase(name, "vk")) {
        const std::string_view digits = name.substr(2, name.find_first_of("sS") - 2);
        const std::optional<unsigned> key = Number(digits, 16);
        return key && *key >= 1 && *key <= 255 ? key : std::nullopt;
    }
    if (StartsWithIgnoringCase(name, "sc")) {
        const std::optional<unsigned> scanCode = Number(name.substr(2), 16);
        if (!scanCode)
            return std::nullopt;
        const UINT key = ::MapVirtualKeyW(*scanCode, MAPVK_VSC_TO_VK_EX);
        return key ? std::optional<unsigned>(key) : std::nullopt;
    }
    return std::nullopt;
}

// One character, as the keyboard layout types it.
std::optional<unsigned> CharacterKey(std::string_view name)
{
    const std::wstring wide = WideFromUtf8(name);
    if (wide.size() != 1)
        return std::nullopt;
    const SHORT scanned = ::VkKeyScanW(wide[0]);
    if (scanned == -1)
        return std::nullopt;
    return static_cast<unsigned>(LOBYTE(scanned));
}

unsigned ModifierOf(unsigned key)
{
    for (const ModifierKey& entry : kModifierKeys) {
        if (entry.key == key)
            return entry.modifier;
    }
    return 0;
}

// "^!+#" with "<" and ">" (which side) before them; "*", "~" and "$" change
// how the hotkey is held, not what.
struct Prefix
{
    unsigned modifiers = 0;
    bool anyModifiers = false;
    std::string_view rest;
};

Prefix ReadPrefix(std::string_view label)
{
    Prefix prefix;
    // The last character is the key whatever it is: "+::" is the plus key's hotkey.
    while (label.size() > 1) {
        switch (label.front()) {
        case '^':
            prefix.modifiers |= kModCtrl;
            break;
        case '!':
            prefix.modifiers |= kModAlt;
            break;
        case '+':
            prefix.modifiers |= kModShift;
            break;
        case '#':
            prefix.modifiers |= kModWin;
            break;
        case '*':
            prefix.anyModifiers = true;
            break;
        case '<':
        case '>':
        case '~':
        case '$':
            break;
        default:
            prefix.rest = label;
            return prefix;
        }
        label.remove_prefix(1);
    }
    prefix.rest = label;
    return prefix;
}

// "F9 up" is F9's release.
bool CutRelease(std::string_view& name)
{
    const size_t space = name.find_last_of(" \t");
    if (space == std::string_view::npos || !EqualsIgnoringCase(name.substr(space + 1), "up"))
        return false;
    name = Trimmed(name.substr(0, space));
    return true;
}

std::vector<Combination> WithAnyModifiers(const Combination& combo, bool any)
{
    if (!any)
        return {combo};
    std::vector<Combination> all;
    for (unsigned modifiers = 0; modifiers <= kAllModifiers; ++modifiers) {
        if ((modifiers & combo.modifiers) == combo.modifiers)
            all.push_back({combo.key, modifiers});
    }
    return all;
}

std::optional<HotkeyLabel> CustomCombination(std::string_view label, size_t ampersand)
{
    std::string_view first = Trimmed(label.substr(0, ampersand));
    std::string_view second = Trimmed(label.substr(ampersand + 1));
    while (!first.empty() && (first.front() == '~' || first.front() == '$' || first.front() == '*'))
        first.remove_prefix(1);
    while (!second.empty() && (second.front() == '~' || second.front() == '$'))
        second.remove_prefix(1);
    HotkeyLabel result;
    if (CutRelease(second))
        result.notes.push_back("on release");
    const std::optional<unsigned> prefixKey = AutoHotkeyKey(first);
    const std::optional<unsigned> key = AutoHotkeyKey(second);
    if (!prefixKey || !key)
        return std::nullopt;
    // A modifier as prefix makes an ordinary combination of the two; any
    // other prefix key is held down like one, which no combination can say.
    const unsigned modifier = ModifierOf(*prefixKey);
    result.combos = {{*key, modifier}};
    result.notes.insert(
        result.notes.begin(), "custom combination " + std::string(first) + " & " + std::string(second));
    return result;
}

} // namespace

std::optional<unsigned> AutoHotkeyKey(std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    for (const KeyAlias& alias : kAutoHotkeyNames) {
        if (EqualsIgnoringCase(name, alias.name))
            return alias.key;
    }
    if (const std::optional<unsigned> key = CodedKey(name))
        return key;
    if (const std::optional<unsigned> key = CharacterKey(name))
        return key;
    // Hex codes are AutoHotkey's vkNN, never 0xNN.
    if (StartsWithIgnoringCase(name, "0x"))
        return std::nullopt;
    return ParseWindowsKey(name);
}

std::optional<HotkeyLabel> ParseHotkeyLabel(std::string_view label)
{
    label = Trimmed(label);
    const size_t ampersand = label.find('&', 1);
    if (ampersand != std::string_view::npos && ampersand + 1 < label.size())
        return CustomCombination(label, ampersand);

    const Prefix prefix = ReadPrefix(label);
    std::string_view name = prefix.rest;
    HotkeyLabel result;
    if (CutRelease(name))
        result.notes.push_back("on release");
    // An escaped character: "`;" is the semicolon key.
    if (name.size() == 2 && name.front() == '`')
        name.remove_prefix(1);
    const std::optional<unsigned> key = AutoHotkeyKey(name);
    if (!key)
        return std::nullopt;
    if (prefix.anyModifiers)
        result.notes.push_back("with any modifiers");
    result.combos = WithAnyModifiers({*key, prefix.modifiers}, prefix.anyModifiers);
    return result;
}
