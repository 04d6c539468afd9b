#pragma once

#include "census/linux/DesktopShortcut.h"

// sway's key bindings, from the configuration it has loaded, asked of it
// through its IPC socket ($SWAYSOCK). Bindings added at run time are not in
// that text, nor files it includes. See SwayBindings for the rows.
DesktopReading ReadSwayShortcuts(std::chrono::milliseconds timeout = kDesktopTimeout);
