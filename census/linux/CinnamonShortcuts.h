#pragma once

#include "census/linux/DesktopShortcut.h"

// Cinnamon's shortcuts, from GSettings: its own keybindings, the window
// manager's and the media keys', and the custom shortcuts that custom-list
// names. holder: the schema id (a custom shortcut's name); action: the key's
// name (a custom shortcut's command).
DesktopReading ReadCinnamonShortcuts();
