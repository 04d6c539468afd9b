#include "census/linux/DesktopSources.h"

#include "census/core/CombinationText.h"
#include "census/linux/GnomeShortcuts.h"
#include "census/linux/HyprlandShortcuts.h"
#include "census/linux/I3Shortcuts.h"
#include "census/linux/KdeShortcuts.h"
#include "census/linux/SessionBus.h"
#include "census/linux/SwayShortcuts.h"

#include <cstdlib>
#include <stdexcept>

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// XDG_CURRENT_DESKTOP is a list such as "ubuntu:GNOME".
bool CurrentDesktopIs(std::string_view wanted)
{
    const char* value = std::getenv("XDG_CURRENT_DESKTOP");
    std::string_view desktops = value ? value : "";
    while (!desktops.empty()) {
        const size_t end = std::min(desktops.find(':'), desktops.size());
        if (EqualsIgnoringCase(desktops.substr(0, end), wanted))
            return true;
        desktops.remove_prefix(std::min(end + 1, desktops.size()));
    }
    return false;
}

bool KdeDaemonRuns()
{
    if (!SessionBusAddress())
        return false;
    try {
        return SessionBus(Deadline(kDesktopTimeout)).HasOwner("org.kde.kglobalaccel");
    } catch (const std::runtime_error&) {
        return false;
    }
}

} // namespace

std::vector<DesktopSource> OfferedDesktopSources()
{
    std::vector<DesktopSource> sources;
    if (CurrentDesktopIs("KDE") || KdeDaemonRuns())
        sources.push_back(DesktopSource::kde);
    if (CurrentDesktopIs("GNOME"))
        sources.push_back(DesktopSource::gnome);
    if (IsSet("SWAYSOCK"))
        sources.push_back(DesktopSource::sway);
    if (IsSet("HYPRLAND_INSTANCE_SIGNATURE"))
        sources.push_back(DesktopSource::hyprland);
    if (!I3SocketPath().empty())
        sources.push_back(DesktopSource::i3);
    return sources;
}

std::string_view DesktopSourceName(DesktopSource source)
{
    switch (source) {
    case DesktopSource::kde:
        return "kde";
    case DesktopSource::gnome:
        return "gnome";
    case DesktopSource::sway:
        return "sway";
    case DesktopSource::hyprland:
        return "hyprland";
    case DesktopSource::i3:
        return "i3";
    }
    return {};
}

DesktopReading ReadDesktopShortcuts(DesktopSource source)
{
    switch (source) {
    case DesktopSource::kde:
        return ReadKdeShortcuts();
    case DesktopSource::gnome:
        return ReadGnomeShortcuts();
    case DesktopSource::sway:
        return ReadSwayShortcuts();
    case DesktopSource::hyprland:
        return ReadHyprlandShortcuts();
    case DesktopSource::i3:
        return ReadI3Shortcuts();
    }
    return {{}, "unknown source"};
}
