#include "census/x11/DesktopGrabbers.h"

#include <array>
#include <utility>

std::vector<std::string> DesktopGrabbers(std::string_view table)
{
    // KDE's daemon runs on its own in Plasma 5 and inside KWin in Plasma 6;
    // GNOME's media keys moved from the settings daemon into the shell; Xfce's
    // window manager grabs its own actions, its settings daemon the commands.
    static const std::array<std::pair<std::string_view, std::vector<std::string>>, 7> grabbers = {{
        {"kde", {"kglobalaccel5", "kglobalacceld", "kwin_x11"}},
        {"gnome", {"gnome-shell", "gsd-media-keys"}},
        {"i3", {"i3"}},
        {"cinnamon", {"cinnamon", "csd-media-keys"}},
        {"mate", {"marco", "mate-settings-daemon"}},
        {"xfce", {"xfwm4", "xfsettingsd"}},
        {"lxqt", {"lxqt-globalkeysd"}},
    }};
    for (const auto& [name, programs] : grabbers) {
        if (name == table)
            return programs;
    }
    return {};
}
