#pragma once

#include "census/linux/DesktopShortcut.h"

#include <string>

// The socket of the running i3: I3SOCK unless it is sway's (SWAYSOCK), else
// the root window's I3_SOCKET_PATH on the display; empty when there is
// neither.
std::string I3SocketPath();

// i3's key bindings, from the configuration it has loaded and every file that
// it reports as included, with its variables as i3 replaced them (i3 before
// 4.20 reports the main file alone). See I3Bindings for the rows.
DesktopReading ReadI3Shortcuts(std::chrono::milliseconds timeout = kDesktopTimeout);
