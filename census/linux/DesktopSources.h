#pragma once

#include "census/linux/DesktopShortcut.h"

#include <string_view>
#include <vector>

// The desktops' shortcut tables a census can read.
enum class DesktopSource
{
    kde,
    gnome,
    sway,
    hyprland,
    i3,
    cinnamon,
    mate,
    xfce,
    lxqt,
};

// The tables this session offers, from its environment: KDE's daemon owning
// its bus name (or a KDE session, whose daemon should be there), GNOME in
// XDG_CURRENT_DESKTOP, SWAYSOCK, HYPRLAND_INSTANCE_SIGNATURE, and i3's socket
// in I3SOCK or on the display's root window; Cinnamon, MATE, Xfce and LXQt in
// XDG_CURRENT_DESKTOP, LXQt's global-keys daemon owning its bus name too. The
// display's grabs are the X11 probe's business, not theirs.
std::vector<DesktopSource> OfferedDesktopSources();

// "kde", "gnome", "sway", "hyprland", "i3", "cinnamon", "mate", "xfce", "lxqt".
std::string_view DesktopSourceName(DesktopSource source);

DesktopReading ReadDesktopShortcuts(DesktopSource source);
