#pragma once

#include "census/linux/DesktopShortcut.h"

#include <string_view>

// Fills the shortcut's modifiers and key from a shortcut as LXQt's
// global-keys daemon writes it: modifiers (Shift, Control, Alt, Meta) each
// followed by "+", then an X keysym name, "Control+Alt+T". Any other modifier
// (Level3, Level5) and a name that is no keysym set its error.
void SetLxqtShortcutKey(DesktopShortcut& shortcut, std::string_view text);
