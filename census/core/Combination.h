#pragma once

// Modifier bits of a combination; the same values as the Windows MOD_* flags.
// On X11, Alt is Mod1 and Win is Mod4 (Super).
constexpr unsigned kModAlt = 1;
constexpr unsigned kModCtrl = 2;
constexpr unsigned kModShift = 4;
constexpr unsigned kModWin = 8;
constexpr unsigned kAllModifiers = kModAlt | kModCtrl | kModShift | kModWin;

// One global key combination. The key is a virtual-key code on Windows and a
// keysym on Linux, but an X keycode in what the X11 probe is asked and answers
// (whose rows carry the keysym besides: see ProbeResult::code).
struct Combination
{
    unsigned key;
    unsigned modifiers;

    friend bool operator==(const Combination&, const Combination&) = default;
};
