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
    cinnamon,
    mate,
    xfce,
    lxqt,
};

// The tables this session offers, from its environment: KDE's daemon owning
// its bus name (or a KDE session, whose daemon should be there), GNOME in
// XDG_CURRENT_DESKTOP, SWAYSOCK and HYPRLAND_INSTANCE_SIGNATURE; Cinnamon,
// MATE, Xfce and LXQt in XDG_CURRENT_DESKTOP, LXQt's global-keys daemon owning
// its bus name too. An X display is the X11 probe's business, not theirs.
std::vector<DesktopSource> OfferedDesktopSources();

// "kde", "gnome", "sway", "hyprland", "cinnamon", "mate", "xfce", "lxqt".
std::string_view DesktopSourceName(DesktopSource source);

DesktopReading ReadDesktopShortcuts(DesktopSource source);
