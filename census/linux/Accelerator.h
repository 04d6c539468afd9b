#pragma once

#include "census/linux/DesktopShortcut.h"

#include <string_view>

// Fills the shortcut's modifiers and key from an accelerator as the window
// manager reads it: modifiers in angle brackets in any case and order
// (<Primary>, <Control>, <Ctrl>, <Ctl>, <Shift>, <Shft>, <Alt>, <Super>,
// <Mod1>…<Mod5>, and <Meta> and <Hyper> as the default keyboard maps them),
// names it does not know (<Release>) passed over; then "0x" and two or more
// hex digits as a keycode of the default keyboard, or a keysym name in any
// case, retried with an "XF86" prefix. Sets its error for what it cannot read
// and for modifiers no combination has (Mod2, Mod3, Mod5).
void SetAcceleratorKey(DesktopShortcut& shortcut, std::string_view accelerator);

// True for the values that hold no key: empty, "disabled", and modifiers
// alone.
bool IsNoAccelerator(std::string_view accelerator);
