#pragma once

#include "census/linux/DesktopShortcut.h"

#include <chrono>

// Xfce's shortcuts, from its settings daemon xfconfd on the session bus: the
// channel xfce4-keyboard-shortcuts, whose providers "commands" (held by
// xfsettingsd) and "xfwm4" (the window manager) keep each shortcut as a
// property named by its accelerator. holder: "xfsettingsd" or "xfwm4";
// action: the command, or the window manager's action.
DesktopReading ReadXfceShortcuts(std::chrono::milliseconds timeout = kDesktopTimeout);
