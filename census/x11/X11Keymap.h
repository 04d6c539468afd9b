#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The keyboard of a display as the census sees it, read once: its keycodes,
// the keysyms on each, and the modifier bit that NumLock sets.
class X11Keymap
{
public:
    explicit X11Keymap(Display* display);

    unsigned MinKeycode() const { return m_minKeycode; }
    unsigned MaxKeycode() const { return m_maxKeycode; }

    // The name of the keycode's first keysym; empty when it has none.
    std::string KeyName(unsigned keycode) const;

    // The keycode's first keysym; NoSymbol (0) when it has none.
    unsigned FirstKeysym(unsigned keycode) const;

    // Every keysym the keycode carries, at any level.
    std::vector<unsigned> Keysyms(unsigned keycode) const;

    // The keycode of a keysym name, a printable character, a common alias (Esc,
    // PgUp, Enter, ...) or a hexadecimal keycode (0x2d). Names match exactly
    // first, then ignoring case.
    // Nothing when the name is unknown or no key of this keyboard carries it.
    std::optional<unsigned> ParseKey(std::string_view text) const;

    // The X modifier mask of NumLock; 0 when no modifier holds it.
    unsigned NumLockMask() const { return m_numLockMask; }

private:
    KeySym At(unsigned keycode, int level) const;
    bool Carries(unsigned keycode, KeySym keysym) const;
    std::optional<unsigned> KeycodeOf(KeySym keysym) const;
    std::optional<unsigned> KeycodeNamedIgnoringCase(std::string_view name) const;
    unsigned FindNumLockMask(Display* display) const;

    unsigned m_minKeycode = 0;
    unsigned m_maxKeycode = 0;
    int m_levels = 0; // keysyms per keycode
    std::vector<KeySym> m_keysyms;
    unsigned m_numLockMask = 0;
};
