#pragma once

#include "census/core/Combination.h"

#include <string>
#include <string_view>

// A switch of modifiers alone, such as Alt+Shift, is the combination whose
// key is the generic key of its last modifier in the written order (Ctrl,
// Alt, Shift) and whose modifiers are the others: its text "Alt+Shift" reads
// back as this very combination. Win has no generic key and is never last.
Combination ModifiersAlone(unsigned modifiers);

// The combination as above where its key is a generic modifier key (Shift
// with Shift is Shift alone, Shift with Alt is Alt+Shift); else itself.
Combination Written(const Combination& combo);

// Whether the two are the same keys pressed together: Shift+Alt is Alt+Shift,
// whichever of them stands as the key.
bool SameKeys(const Combination& a, const Combination& b);

// Which side's modifier keys a hotkey answers to.
enum class ModifierSide
{
    Either,
    Left,
    Right
};

// How the hotkey is really pressed where that is more than its combination
// tells, for its action's text: " (as Left Alt+Left Shift+Print Screen)",
// " (on release)"; empty for either side, acting on the press. The side is
// that of the modifiers, not of the key.
std::string PressedAs(unsigned modifiers, std::string_view keyText, ModifierSide side, bool onRelease);
