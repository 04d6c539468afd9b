#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace who {

// The masking key: a code no key sends, tapped before Alt or Win is let go so
// that neither releases alone, which would open the window menu or the Start menu.
constexpr WORD kMaskKey = 0xE8;

struct KeyStroke
{
    WORD key;
    bool up;
};

// One press of the combination (MOD_* modifiers): modifiers down, the key
// down and up, the masking key where Alt or Win is held (while the key is
// down where Alt or Win is the key), modifiers up in reverse order. Every key
// that goes down comes up again. A lock key (Caps Lock, Num Lock, Scroll
// Lock, Kana) is tapped twice within the modifiers, so that its light is as
// it was; its holder gets the combination twice.
std::vector<KeyStroke> PressStrokes(WORD key, UINT modifiers);

// How often PressStrokes taps the key: twice for a lock key, else once.
unsigned KeyTaps(WORD key);

// What brings every key of the strokes up again, as their own ending does:
// the masking key tapped before Alt or Win comes up.
std::vector<KeyStroke> ReleaseStrokes(const std::vector<KeyStroke>& strokes);

// Sends the strokes as one input. When the system takes only part of them,
// sends their ReleaseStrokes, so that no key is left down. False when not all
// were sent.
bool SendStrokes(const std::vector<KeyStroke>& strokes);

// The modifier keys held down now, such as "Ctrl, Shift"; empty when none is.
// A press made meanwhile would be another combination.
std::string HeldModifiers();

} // namespace who
