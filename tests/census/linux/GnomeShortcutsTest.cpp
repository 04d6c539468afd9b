// The GNOME reader on Debian's real keybinding schemas, with the keyfile
// settings backend in a folder of the test's own.
#include <gtest/gtest.h>

#include "census/linux/GnomeShortcuts.h"
#include "tests/census/linux/ShortcutLines.h"
#include "tests/census/linux/TemporaryFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// What the user changed: GSettings' keyfile groups are the schemas' paths.
constexpr const char* kSettings = R"([org/gnome/desktop/wm/keybindings]
minimize=['disabled']
maximize=@as []
activate-window-menu=['<Super><ALT>N', '', '<Hyper>x']
switch-applications=['<Ctl>f', '<Shft>F1', '<Mod1>m', '<Alt>AudioMute', '<Super>0x26', '<Release><Meta>q', '<super>RETURN', '<Super>', '<Mod3>x', '<Super']

[org/gnome/settings-daemon/plugins/media-keys]
custom-keybindings=['/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/', 'not//a/path']

[org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0]
name='Terminal'
command='foot --server'
binding='<Ctrl><Alt>t'
)";

class GnomeShortcutsTest : public testing::Test
{
protected:
    // GIO picks its settings backend once for the whole process.
    static void SetUpTestSuite()
    {
        s_config = std::make_unique<TemporaryFolder>();
        const std::filesystem::path settings = s_config->Path() / "glib-2.0" / "settings";
        std::filesystem::create_directories(settings);
        std::ofstream(settings / "keyfile") << kSettings;
        setenv("GSETTINGS_BACKEND", "keyfile", 1);
        setenv("XDG_CONFIG_HOME", s_config->Path().c_str(), 1);
        s_reading = ReadGnomeShortcuts();
    }

    static void TearDownTestSuite() { s_config.reset(); }

    static inline std::unique_ptr<TemporaryFolder> s_config;
    static inline DesktopReading s_reading;
};

TEST_F(GnomeShortcutsTest, DefaultsOfEverySchemaWithTheirDescriptions)
{
    ASSERT_EQ("", s_reading.failure);
    for (const char* line : {
             "Alt+F4 | org.gnome.desktop.wm.keybindings | close (Close window)",
             "Win+l | org.gnome.settings-daemon.plugins.media-keys | screensaver (Lock screen)",
             "Ctrl+Alt+F1 | org.gnome.mutter.wayland.keybindings | switch-to-session-1",
             // Mutter's Above_Tab is the key above Tab: grave on the default keyboard.
             "Win+grave | org.gnome.desktop.wm.keybindings | switch-group (Switch windows of an application)",
         })
        EXPECT_TRUE(Lists(s_reading, line));
    EXPECT_GT(s_reading.shortcuts.size(), 150u);
}

TEST_F(GnomeShortcutsTest, TheUsersValuesDisabledOrEmptyGiveNoRow)
{
    const std::string menu
        = " | org.gnome.desktop.wm.keybindings | activate-window-menu (Activate the window menu)";
    EXPECT_TRUE(Lists(s_reading, "Alt+Win+n" + menu));
    EXPECT_TRUE(Lists(s_reading, "Win+x" + menu)); // Hyper is Mod4 on the default keyboard
    const std::string lines = AllLines(s_reading);
    EXPECT_EQ(std::string::npos, lines.find("Alt+space | org.gnome.desktop.wm.keybindings")) << lines;
    EXPECT_EQ(std::string::npos, lines.find("| minimize")) << lines;
    EXPECT_EQ(std::string::npos, lines.find("| maximize")) << lines;
}

// Every spelling that the window manager's parser accepts, and the keycode
// form, which names a key, not a keysym.
TEST_F(GnomeShortcutsTest, AcceleratorsAsTheWindowManagerReadsThem)
{
    const std::string action
        = " | org.gnome.desktop.wm.keybindings | switch-applications (Switch applications)";
    for (const char* combination : {"Ctrl+f", "Shift+F1", "Alt+m", "Alt+XF86AudioMute", "Win+a", "Alt+q",
             "Win+Return", "! <Mod3> is none of Ctrl, Alt, Shift and Super", "! \"<\" is not closed"})
        EXPECT_TRUE(Lists(s_reading, combination + action)) << combination;
    EXPECT_EQ(9u, Count(s_reading, action)) << "<Super> alone holds no key";
}

TEST_F(GnomeShortcutsTest, CustomShortcutsAtValidPaths)
{
    EXPECT_TRUE(Lists(s_reading, "Ctrl+Alt+t | Terminal | foot --server"));
}

} // namespace
