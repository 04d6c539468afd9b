#pragma once

#include "census/linux/DesktopShortcut.h"

#include <string>

// Hyprland's key bindings, asked of the instance $HYPRLAND_INSTANCE_SIGNATURE
// names through its socket (what "hyprctl binds -j" prints). holder:
// "hyprland"; action: the dispatcher and its argument, then in parentheses
// the submap other than the default one. Mouse bindings are left out: they
// hold no key.
DesktopReading ReadHyprlandShortcuts(std::chrono::milliseconds timeout = kDesktopTimeout);

// The instance's socket: under $XDG_RUNTIME_DIR/hypr, else under /tmp/hypr
// where older releases put it. Empty without a signature.
std::string HyprlandSocketPath();
