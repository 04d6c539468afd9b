#include "census/linux/Keysyms.h"

#include "census/core/Combination.h"
#include "census/core/CombinationText.h"
#include "census/linux/DesktopShortcut.h"

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <utility>

namespace {

// Short names people type, with the keysym each stands for.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kAliases = {{
    {"Esc", "Escape"},
    {"PgUp", "Prior"},
    {"PgDn", "Next"},
    {"Del", "Delete"},
    {"Ins", "Insert"},
    {"Space", "space"},
    {"Enter", "Return"},
    {"Plus", "plus"},
    {"Minus", "minus"},
}};

bool IsPrintableAscii(std::string_view text) { return text.size() == 1 && text[0] > ' ' && text[0] <= '~'; }

} // namespace

unsigned KeysymFromName(std::string_view name)
{
    const std::string text(name);
    xkb_keysym_t keysym = xkb_keysym_from_name(text.c_str(), XKB_KEYSYM_NO_FLAGS);
    if (keysym == XKB_KEY_NoSymbol)
        keysym = xkb_keysym_from_name(text.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    return xkb_keysym_to_lower(keysym);
}

unsigned KeysymFromNameIgnoringCase(std::string_view name)
{
    return xkb_keysym_to_lower(xkb_keysym_from_name(std::string(name).c_str(), XKB_KEYSYM_CASE_INSENSITIVE));
}

unsigned KeysymFromExactName(std::string_view name)
{
    return xkb_keysym_to_lower(xkb_keysym_from_name(std::string(name).c_str(), XKB_KEYSYM_NO_FLAGS));
}

unsigned KeysymFromCharacter(unsigned codePoint)
{
    return xkb_keysym_to_lower(xkb_utf32_to_keysym(codePoint));
}

unsigned LowerKeysym(unsigned keysym) { return xkb_keysym_to_lower(keysym); }

std::string KeysymName(unsigned keysym)
{
    std::array<char, 64> name{};
    if (xkb_keysym_get_name(keysym, name.data(), name.size()) <= 0)
        return {};
    return name.data();
}

std::string_view UnaliasedKeyName(std::string_view text)
{
    for (const auto& [alias, keysymName] : kAliases) {
        if (EqualsIgnoringCase(text, alias))
            return keysymName;
    }
    return text;
}

std::optional<unsigned> ParseKeysym(std::string_view text)
{
    if (const std::optional<unsigned> code = ParseHexCode(text))
        return xkb_keysym_to_lower(*code);
    const std::string_view name = UnaliasedKeyName(text);
    const unsigned keysym = IsPrintableAscii(name) ? KeysymFromCharacter(static_cast<unsigned char>(name[0]))
                                                   : KeysymFromName(name);
    if (keysym == XKB_KEY_NoSymbol)
        return std::nullopt;
    return keysym;
}

void SetKey(DesktopShortcut& shortcut, unsigned keysym, std::string error)
{
    shortcut.keysym = keysym;
    if (keysym == XKB_KEY_NoSymbol)
        shortcut.error = std::move(error);
    else
        shortcut.keyName = KeysymName(keysym);
}

std::string UnknownKeysym(std::string_view name) { return "no keysym is named " + QuotedLine(name); }

std::string QuotedLine(std::string_view text)
{
    const size_t end = text.find_first_of("\r\n");
    return "\"" + std::string(text.substr(0, end)) + (end == std::string_view::npos ? "\"" : "…\"");
}

namespace {

// The real modifiers with the census's modifier each stands for; 0 where it
// has none.
constexpr std::array<std::pair<const char*, unsigned>, 8> kRealModifiers = {{
    {XKB_MOD_NAME_SHIFT, kModShift},
    {XKB_MOD_NAME_CAPS, 0},
    {XKB_MOD_NAME_CTRL, kModCtrl},
    {"Mod1", kModAlt},
    {"Mod2", 0},
    {"Mod3", 0},
    {"Mod4", kModWin},
    {"Mod5", 0},
}};

// Built once: compiling a keymap costs milliseconds.
class DefaultKeymap
{
public:
    DefaultKeymap()
        : m_context(xkb_context_new(XKB_CONTEXT_NO_FLAGS)),
          m_keymap(m_context ? xkb_keymap_new_from_names(m_context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS)
                             : nullptr)
    {
    }
    ~DefaultKeymap()
    {
        xkb_keymap_unref(m_keymap);
        xkb_context_unref(m_context);
    }
    DefaultKeymap(const DefaultKeymap&) = delete;
    DefaultKeymap& operator=(const DefaultKeymap&) = delete;

    unsigned KeysymOf(unsigned keycode) const
    {
        const xkb_keysym_t* keysyms = nullptr;
        if (!m_keymap || xkb_keymap_key_get_syms_by_level(m_keymap, keycode, 0, 0, &keysyms) < 1)
            return XKB_KEY_NoSymbol;
        return keysyms[0];
    }

    std::optional<unsigned> KeycodeOf(unsigned keysym) const
    {
        std::optional<unsigned> found;
        if (!m_keymap)
            return found;
        for (xkb_keycode_t code = xkb_keymap_min_keycode(m_keymap); code <= xkb_keymap_max_keycode(m_keymap);
             ++code) {
            if (KeysymOf(code) != keysym)
                continue;
            if (found)
                return std::nullopt;
            found = code;
        }
        return found;
    }

    // What a modifier, virtual or real, sets among the real ones.
    std::optional<unsigned> ModifiersOf(std::string_view name) const
    {
        const xkb_mod_index_t index
            = m_keymap ? xkb_keymap_mod_get_index(m_keymap, std::string(name).c_str()) : XKB_MOD_INVALID;
        if (index == XKB_MOD_INVALID)
            return std::nullopt;
        xkb_state* state = xkb_state_new(m_keymap);
        if (!state)
            return std::nullopt;
        xkb_state_update_mask(state, 1u << index, 0, 0, 0, 0, 0);
        unsigned modifiers = 0;
        bool other = false;
        for (const auto& [real, modifier] : kRealModifiers) {
            if (xkb_state_mod_name_is_active(state, real, XKB_STATE_MODS_EFFECTIVE) <= 0)
                continue;
            modifiers |= modifier;
            other = other || modifier == 0;
        }
        xkb_state_unref(state);
        if (other || modifiers == 0)
            return std::nullopt;
        return modifiers;
    }

private:
    xkb_context* m_context;
    xkb_keymap* m_keymap;
};

const DefaultKeymap& TheDefaultKeymap()
{
    static const DefaultKeymap keymap;
    return keymap;
}

} // namespace

unsigned DefaultKeymapKeysym(unsigned keycode) { return TheDefaultKeymap().KeysymOf(keycode); }

std::optional<unsigned> DefaultKeymapKeycode(unsigned keysym) { return TheDefaultKeymap().KeycodeOf(keysym); }

std::optional<unsigned> DefaultKeymapModifiers(std::string_view virtualModifier)
{
    return TheDefaultKeymap().ModifiersOf(virtualModifier);
}
