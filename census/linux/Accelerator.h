#pragma once

#include "census/linux/DesktopShortcut.h"

#include <string_view>

// Fills the shortcut's modifiers and key from an accelerator as GTK and mutter
// write them: <Primary>, <Control> or <Ctrl>, <Alt>, <Shift>, <Super> in any
// case and order, then a keysym name. Sets its error for other modifiers
// (<Hyper>, <Meta>) and unknown keysyms.
void SetAcceleratorKey(DesktopShortcut& shortcut, std::string_view accelerator);

// True for the values that mean "no shortcut": empty and "disabled".
bool IsNoAccelerator(std::string_view accelerator);
