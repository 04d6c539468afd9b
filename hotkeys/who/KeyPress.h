#pragma once

#include <windows.h>

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
// down and up, the masking key where Alt or Win is held, modifiers up in
// reverse order. Every key that goes down comes up again.
std::vector<KeyStroke> PressStrokes(WORD key, UINT modifiers);

// Sends the strokes as one input. When the system takes only part of them,
// releases every key of the strokes, so that none is left down. False when
// not all were sent.
bool SendStrokes(const std::vector<KeyStroke>& strokes);

} // namespace who
