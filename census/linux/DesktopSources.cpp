#include "census/linux/DesktopSources.h"

#include "census/core/CombinationText.h"
#include "census/linux/CinnamonShortcuts.h"
#include "census/linux/GnomeExtensionShortcuts.h"
#include "census/linux/GnomeShortcuts.h"
#include "census/linux/HyprlandShortcuts.h"
#include "census/linux/I3Shortcuts.h"
#include "census/linux/KdeShortcuts.h"
#include "census/linux/LxqtShortcuts.h"
#include "census/linux/MateShortcuts.h"
#include "census/linux/SessionBus.h"
#include "census/linux/SwayShortcuts.h"
#include "census/linux/XfceShortcuts.h"

#include <cstdlib>
#include <memory>
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

// Whether desktop daemons own their names on the session bus, asked on one
// connection, made when first needed.
class DaemonNames
{
public:
    bool Owned(const char* name)
    {
        try {
            if (!m_tried) {
                m_tried = true;
                if (SessionBusAddress())
                    m_bus = std::make_unique<SessionBus>(Deadline(kDesktopTimeout));
            }
            return m_bus && m_bus->HasOwner(name);
        } catch (const std::runtime_error&) {
            // A bus that does not let this process in, or does not answer,
            // shows no daemon: its table is not offered.
            return false;
        }
    }

private:
    bool m_tried = false;
    std::unique_ptr<SessionBus> m_bus;
};

} // namespace

std::vector<DesktopSource> OfferedDesktopSources()
{
    std::vector<DesktopSource> sources;
    DaemonNames daemons;
    if (CurrentDesktopIs("KDE") || daemons.Owned("org.kde.kglobalaccel"))
        sources.push_back(DesktopSource::kde);
    if (CurrentDesktopIs("GNOME"))
        sources.push_back(DesktopSource::gnome);
    if (IsSet("SWAYSOCK"))
        sources.push_back(DesktopSource::sway);
    if (IsSet("HYPRLAND_INSTANCE_SIGNATURE"))
        sources.push_back(DesktopSource::hyprland);
    if (!I3SocketPath().empty())
        sources.push_back(DesktopSource::i3);
    // Mint's sessions say X-Cinnamon; others plain Cinnamon.
    if (CurrentDesktopIs("X-Cinnamon") || CurrentDesktopIs("Cinnamon"))
        sources.push_back(DesktopSource::cinnamon);
    if (CurrentDesktopIs("MATE"))
        sources.push_back(DesktopSource::mate);
    if (CurrentDesktopIs("XFCE"))
        sources.push_back(DesktopSource::xfce);
    if (CurrentDesktopIs("LXQt") || daemons.Owned(kLxqtDaemon))
        sources.push_back(DesktopSource::lxqt);
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
    case DesktopSource::cinnamon:
        return "cinnamon";
    case DesktopSource::mate:
        return "mate";
    case DesktopSource::xfce:
        return "xfce";
    case DesktopSource::lxqt:
        return "lxqt";
    }
    return {};
}

DesktopReading ReadDesktopShortcuts(DesktopSource source)
{
    switch (source) {
    case DesktopSource::kde:
        return ReadKdeShortcuts();
    case DesktopSource::gnome: {
        DesktopReading reading = ReadGnomeShortcuts();
        if (reading.failure.empty())
            AddGnomeExtensionShortcuts(reading.shortcuts);
        return reading;
    }
    case DesktopSource::sway:
        return ReadSwayShortcuts();
    case DesktopSource::hyprland:
        return ReadHyprlandShortcuts();
    case DesktopSource::i3:
        return ReadI3Shortcuts();
    case DesktopSource::cinnamon:
        return ReadCinnamonShortcuts();
    case DesktopSource::mate:
        return ReadMateShortcuts();
    case DesktopSource::xfce:
        return ReadXfceShortcuts();
    case DesktopSource::lxqt:
        return ReadLxqtShortcuts();
    }
    return {{}, "unknown source"};
}
