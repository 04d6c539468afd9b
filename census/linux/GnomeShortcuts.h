#pragma once

#include "census/linux/DesktopShortcut.h"

// GNOME's shortcuts, from GSettings: the keybinding schemas of the shell,
// mutter and the settings daemon that are installed, and the custom shortcuts.
// holder: the schema id (a custom shortcut's name); action: the key's name,
// with its description where the control center describes it (a custom
// shortcut's command).
DesktopReading ReadGnomeShortcuts();
