#pragma once

#include "census/linux/DesktopShortcut.h"

// MATE's shortcuts: the window manager's global and window keybindings and
// the settings daemon's media keys, from GSettings, and the custom shortcuts
// that the settings daemon finds as folders of dconf. holder: the schema id
// (a custom shortcut's name); action: the key's name (a custom shortcut's
// command).
DesktopReading ReadMateShortcuts();
