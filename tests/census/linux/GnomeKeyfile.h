#pragma once

#include "tests/census/linux/TemporaryFolder.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A GNOME session whose settings are a keyfile of the test's own, which
// changes the accelerator of the window manager's window menu.
class GnomeKeyfile
{
public:
    explicit GnomeKeyfile(const std::string& windowMenu)
    {
        std::filesystem::create_directories(m_config.Path() / "glib-2.0" / "settings");
        Write(windowMenu);
    }

    void Write(const std::string& windowMenu) const
    {
        std::ofstream(m_config.Path() / "glib-2.0" / "settings" / "keyfile")
            << "[org/gnome/desktop/wm/keybindings]\nactivate-window-menu=['" << windowMenu << "']\n";
    }

    // The session's variables, "NAME=value".
    std::vector<std::string> Variables() const
    {
        return {"XDG_CURRENT_DESKTOP=GNOME", "GSETTINGS_BACKEND=keyfile",
            "XDG_CONFIG_HOME=" + m_config.Path().string()};
    }

private:
    TemporaryFolder m_config;
};
