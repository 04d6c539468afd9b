#pragma once

#include "census/linux/DesktopShortcut.h"

#include <vector>

// The keybindings of the GNOME Shell extensions that the shell enables: the
// keys of type "as" of each one's settings schema whose values read as
// accelerators. holder: the extension's name; action: the key's name.
void AddGnomeExtensionShortcuts(std::vector<DesktopShortcut>& shortcuts);
