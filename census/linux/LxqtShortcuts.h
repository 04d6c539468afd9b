#pragma once

#include "census/linux/DesktopShortcut.h"

#include <chrono>

// The bus name of LXQt's global-keys daemon.
constexpr const char* kLxqtDaemon = "org.lxqt.global_key_shortcuts";

// LXQt's shortcuts, from its global-keys daemon on the session bus: every
// action it holds that is enabled. holder: the action's description (the
// daemon's name where it has none); action: the command or D-Bus method it
// runs.
DesktopReading ReadLxqtShortcuts(std::chrono::milliseconds timeout = kDesktopTimeout);
