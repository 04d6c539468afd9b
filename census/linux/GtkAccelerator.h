#pragma once

#include "census/linux/DesktopShortcut.h"

#include <string_view>

// Fills the shortcut's modifiers and key from an accelerator as GTK parses it
// (<Primary>, <Control>, <Ctrl> or <Ctl>, <Shift> or <Shft>, <Alt> or
// <Mod1>, <Super> or <Mod4>, in any case and order, then a keysym name
// exactly as written). GTK passes over a modifier it does not know; other
// modifiers it knows (<Meta>, <Hyper>, <Release>, <Mod2>...) and unknown
// keysyms set the shortcut's error.
void SetGtkAcceleratorKey(DesktopShortcut& shortcut, std::string_view accelerator);
