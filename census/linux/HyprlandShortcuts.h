#pragma once

#include "census/linux/DesktopShortcut.h"

// Hyprland's key bindings, asked of the instance $HYPRLAND_INSTANCE_SIGNATURE
// names through its socket, under $XDG_RUNTIME_DIR/hypr or, for older
// releases, /tmp/hypr (what "hyprctl binds -j" prints). holder:
// "hyprland"; action: the dispatcher and its argument, then in parentheses
// the submap other than the default one. Mouse bindings are left out: they
// hold no key.
DesktopReading ReadHyprlandShortcuts(std::chrono::milliseconds timeout = kDesktopTimeout);
