#include "census/x11/X11Keymap.h"

#include "census/core/CombinationText.h"
#include "census/linux/Keysyms.h"

#include <X11/keysym.h>

#include <memory>
#include <stdexcept>

namespace {

struct XFreeDeleter
{
    void operator()(void* data) const { XFree(data); }
};

} // namespace

X11Keymap::X11Keymap(Display* display)
{
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    m_minKeycode = static_cast<unsigned>(minKeycode);
    m_maxKeycode = static_cast<unsigned>(maxKeycode);

    const std::unique_ptr<KeySym, XFreeDeleter> keysyms(XGetKeyboardMapping(
        display, static_cast<KeyCode>(minKeycode), maxKeycode - minKeycode + 1, &m_levels));
    if (!keysyms)
        throw std::runtime_error("the X server sent no keyboard mapping");
    const size_t count = static_cast<size_t>(maxKeycode - minKeycode + 1) * static_cast<size_t>(m_levels);
    m_keysyms.assign(keysyms.get(), keysyms.get() + count);

    m_numLockMask = FindNumLockMask(display);
}

KeySym X11Keymap::At(unsigned keycode, int level) const
{
    return m_keysyms[(keycode - m_minKeycode) * static_cast<size_t>(m_levels) + static_cast<size_t>(level)];
}

std::string X11Keymap::KeyName(unsigned keycode) const
{
    const char* name = XKeysymToString(FirstKeysym(keycode));
    return name ? name : "";
}

unsigned X11Keymap::FirstKeysym(unsigned keycode) const
{
    if (keycode < m_minKeycode || keycode > m_maxKeycode)
        return NoSymbol;
    return static_cast<unsigned>(At(keycode, 0));
}

std::vector<unsigned> X11Keymap::Keysyms(unsigned keycode) const
{
    std::vector<unsigned> keysyms;
    if (keycode < m_minKeycode || keycode > m_maxKeycode)
        return keysyms;
    for (int level = 0; level < m_levels; ++level) {
        if (const KeySym keysym = At(keycode, level); keysym != NoSymbol)
            keysyms.push_back(static_cast<unsigned>(keysym));
    }
    return keysyms;
}

std::optional<unsigned> X11Keymap::ParseKey(std::string_view text) const
{
    if (const std::optional<unsigned> keycode = ParseHexCode(text)) {
        if (*keycode < m_minKeycode || *keycode > m_maxKeycode)
            return std::nullopt;
        return keycode;
    }
    const std::string name(UnaliasedKeyName(text));
    // A printable character stands for its own keysym, as "+" for plus.
    const bool character = name.size() == 1 && name[0] > ' ' && name[0] <= '~';
    const KeySym keysym = character ? static_cast<KeySym>(name[0]) : XStringToKeysym(name.c_str());
    if (keysym != NoSymbol) {
        if (const std::optional<unsigned> keycode = KeycodeOf(keysym))
            return keycode;
    }
    return KeycodeNamedIgnoringCase(name);
}

// Like XKeysymToKeycode: the lowest level that carries the keysym wins, then
// the lowest keycode.
std::optional<unsigned> X11Keymap::KeycodeOf(KeySym keysym) const
{
    for (int level = 0; level < m_levels; ++level) {
        for (unsigned keycode = m_minKeycode; keycode <= m_maxKeycode; ++keycode) {
            if (At(keycode, level) == keysym)
                return keycode;
        }
    }
    return std::nullopt;
}

bool X11Keymap::Carries(unsigned keycode, KeySym keysym) const
{
    if (keycode < m_minKeycode || keycode > m_maxKeycode)
        return false;
    for (int level = 0; level < m_levels; ++level) {
        if (At(keycode, level) == keysym)
            return true;
    }
    return false;
}

std::optional<unsigned> X11Keymap::KeycodeNamedIgnoringCase(std::string_view name) const
{
    for (int level = 0; level < m_levels; ++level) {
        for (unsigned keycode = m_minKeycode; keycode <= m_maxKeycode; ++keycode) {
            const KeySym keysym = At(keycode, level);
            const char* keysymName = keysym == NoSymbol ? nullptr : XKeysymToString(keysym);
            if (keysymName && EqualsIgnoringCase(name, keysymName))
                return keycode;
        }
    }
    return std::nullopt;
}

unsigned X11Keymap::FindNumLockMask(Display* display) const
{
    const std::unique_ptr<XModifierKeymap, decltype(&XFreeModifiermap)> map(
        XGetModifierMapping(display), &XFreeModifiermap);
    if (!map)
        return 0;
    // Eight modifiers, each with a row of max_keypermod keycodes, 0 for none.
    const auto row = static_cast<size_t>(map->max_keypermod);
    for (size_t modifier = 0; modifier < 8; ++modifier) {
        for (size_t i = 0; i < row; ++i) {
            const unsigned keycode = map->modifiermap[modifier * row + i];
            if (keycode != 0 && Carries(keycode, XK_Num_Lock))
                return 1u << modifier;
        }
    }
    return 0;
}
