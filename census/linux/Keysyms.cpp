#include "census/linux/Keysyms.h"

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

std::string UnknownKeysym(std::string_view name)
{
    return "no keysym is named \"" + std::string(name) + "\"";
}

namespace {

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

private:
    xkb_context* m_context;
    xkb_keymap* m_keymap;
};

} // namespace

unsigned DefaultKeymapKeysym(unsigned keycode)
{
    static const DefaultKeymap keymap;
    return keymap.KeysymOf(keycode);
}
