#pragma once

#include "census/linux/DesktopShortcut.h"

#include <chrono>
#include <filesystem>

// The bus name of LXQt's global-keys daemon.
constexpr const char* kLxqtDaemon = "org.lxqt.global_key_shortcuts";

// LXQt's shortcuts, from its global-keys daemon on the session bus: every
// action it holds, then each shortcut of its configuration that it holds no
// action for, because it could not grab the key. holder: the action's
// description (the daemon's name where it has none); action: the command or
// D-Bus method it runs.
DesktopReading ReadLxqtShortcuts(std::chrono::milliseconds timeout = kDesktopTimeout);

// Where the daemon keeps its configuration: globalkeyshortcuts.conf in the
// user's configuration folder.
std::filesystem::path LxqtConfiguration();
