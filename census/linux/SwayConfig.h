#pragma once

#include "census/linux/DesktopShortcut.h"

#include <string_view>
#include <vector>

// The key bindings of a sway configuration text, read as sway reads it:
// "set $name value" substitution, blocks ("mode \"resize\" { … }",
// "bindsym { … }"), "\" at a line's end, and bindsym/bindcode with their
// flags; a later binding of the same keys replaces the earlier one, and
// unbindsym/unbindcode remove it. holder: "sway"; action: the command, then
// in parentheses the mode other than the default one and the flags. Mouse
// button bindings are left out: they hold no key.
std::vector<DesktopShortcut> SwayBindings(std::string_view config);
