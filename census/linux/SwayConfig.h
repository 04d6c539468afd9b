#pragma once

#include "census/linux/DesktopShortcut.h"

#include <string_view>
#include <vector>

// The key bindings of a sway configuration text, read as sway reads it:
// "\" at a line's end joins the next line (not on a line that begins with
// "#"), a block's "{" may stand on the next line, blocks prefix their lines
// ("mode \"resize\" { … }", "bindsym { … }"), "set $name value" substitutes
// in the lines that follow (the longest name first, "$$" for "$"), and
// bindsym/bindcode with their flags. Two bindings are the same binding when
// sway's would be: mode, kind, input device, group, --release, --locked,
// --inhibited, modifiers and keys; the later one replaces the earlier, and
// unbindsym/unbindcode remove it. Mouse bindings hold no key and are left
// out. holder: "sway"; action: the command as sway stores it (variables
// substituted, escapes undone, words joined by one space), then in
// parentheses the mode other than the default one and the flags.
std::vector<DesktopShortcut> SwayBindings(std::string_view config);

// The same for i3, whose reader differs: no "\" continues a comment, even
// after blanks; "set" names are matched ignoring case, in the whole file;
// key names are exact; flags are --release, --border, --whole-window and
// --exclude-titlebar; the command is the rest of the line as written; and of
// two bindings of the same keys the first one counts. Each file is one that
// i3 reports having read, its variables already replaced when replaced says
// so. holder: "i3".
std::vector<DesktopShortcut> I3Bindings(const std::vector<std::string_view>& files, bool replaced);
