// The MATE reader on Debian's real schemas, with the settings in a dconf
// database that dconf's own tool compiles in a folder of the test's own.
#include <gtest/gtest.h>

#include "census/linux/MateShortcuts.h"
#include "tests/census/linux/ShortcutLines.h"
#include "tests/census/linux/TemporaryFolder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

constexpr const char* kSettings = R"([org/mate/marco/global-keybindings]
run-command-terminal='<Control><Alt>t'
switch-windows='disabled'

[org/mate/marco/window-keybindings]
close=''

[org/mate/desktop/keybindings/custom0]
name='Browser'
action='firefox'
binding='<Super>b'

[org/mate/desktop/keybindings/whatever-name]
name='Files'
action='caja'
binding='<Hyper>f'

[org/mate/desktop/keybindings]
not-a-folder='<Super>n'
)";

TEST(MateShortcutsTest, WindowManagerMediaKeysAndCustomFolders)
{
    const TemporaryFolder home;
    std::filesystem::create_directories(home.Path() / "keyfiles");
    std::filesystem::create_directories(home.Path() / "dconf");
    std::filesystem::create_directories(home.Path() / "runtime");
    chmod((home.Path() / "runtime").c_str(), 0700);
    std::ofstream(home.Path() / "keyfiles" / "user") << kSettings;
    const std::string compile = "dconf compile " + (home.Path() / "dconf" / "user").string() + " "
        + (home.Path() / "keyfiles").string();
    ASSERT_EQ(0, std::system(compile.c_str()));
    setenv("GSETTINGS_BACKEND", "dconf", 1);
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home.Path() / "runtime").c_str(), 1);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");

    const DesktopReading reading = ReadMateShortcuts();
    ASSERT_EQ("", reading.failure);
    for (const char* line : {
             "Ctrl+Alt+t | org.mate.Marco.global-keybindings | run-command-terminal",
             "Alt+F7 | org.mate.Marco.window-keybindings | begin-move",
             "XF86AudioMute | org.mate.SettingsDaemon.plugins.media-keys | volume-mute",
             "Win+b | Browser | firefox",
             // Hyper shares Super's modifier on the default keyboard.
             "Win+f | Files | caja",
         })
        EXPECT_TRUE(Lists(reading, line));
    const std::string lines = AllLines(reading);
    EXPECT_EQ(std::string::npos, lines.find("| switch-windows\n")) << lines;
    EXPECT_EQ(std::string::npos, lines.find("| close\n")) << lines;
    EXPECT_EQ(std::string::npos, lines.find("Win+n")) << lines;
}

} // namespace
