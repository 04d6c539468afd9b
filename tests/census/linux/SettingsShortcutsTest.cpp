// The Cinnamon reader and GNOME Shell extensions' keys on Debian's real
// schemas, with the keyfile settings backend in a folder of the test's own.
#include <gtest/gtest.h>

#include "census/linux/CinnamonShortcuts.h"
#include "census/linux/GnomeExtensionShortcuts.h"
#include "tests/census/linux/ShortcutLines.h"
#include "tests/census/linux/TemporaryFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

constexpr const char* kSizer = "screenshot-window-sizer@gnome-shell-extensions.gcampax.github.com";
constexpr const char* kAppsMenu = "apps-menu@gnome-shell-extensions.gcampax.github.com";
constexpr const char* kOwn = "own@example.org";

// A user's extension with schemas of its own and no schema named in its
// metadata: a list of files is no keybinding.
constexpr const char* kOwnSchema = R"(<schemalist>
  <schema id="org.example.own" path="/org/example/own/">
    <key name="toggle" type="as"><default>['&lt;Super&gt;&lt;Shift&gt;o']</default></key>
    <key name="files" type="as"><default>['notes.txt']</default></key>
    <key name="unset" type="as"><default>[]</default></key>
  </schema>
</schemalist>
)";

// Cinnamon keeps names, not paths, in its list, and a placeholder.
const std::string kSettings = std::string(R"([org/cinnamon/desktop/keybindings/wm]
close=['disabled']
minimize=@as []
maximize=['<Super><ALT>N', '<Hyper>m']

[org/cinnamon/desktop/keybindings]
custom-list=['__dummy__', 'custom0', 'not/a/name']

[org/cinnamon/desktop/keybindings/custom-keybindings/custom0]
name='Terminal'
command='gnome-terminal'
binding=['<Primary><Alt>t', '']

[org/gnome/shell]
enabled-extensions=[')")
    + kSizer + "', '" + kAppsMenu + "', '" + kOwn + "', 'missing@example.org', '../..']\n"
    + "disabled-extensions=['" + kAppsMenu + "']\n";

class SettingsShortcutsTest : public testing::Test
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
        setenv("XDG_DATA_HOME", s_config->Path().c_str(), 1);
        const std::filesystem::path own = s_config->Path() / "gnome-shell" / "extensions" / kOwn;
        std::filesystem::create_directories(own / "schemas");
        std::ofstream(own / "metadata.json") << R"({"uuid": "own@example.org", "name": "Own"})";
        std::ofstream(own / "schemas" / "org.example.own.gschema.xml") << kOwnSchema;
        ASSERT_EQ(0, std::system(("glib-compile-schemas " + (own / "schemas").string()).c_str()));
    }

    static void TearDownTestSuite() { s_config.reset(); }

    static inline std::unique_ptr<TemporaryFolder> s_config;
};

TEST_F(SettingsShortcutsTest, CinnamonSchemasCustomListAndTheUsersValues)
{
    const DesktopReading reading = ReadCinnamonShortcuts();
    ASSERT_EQ("", reading.failure);
    for (const char* line : {
             "Ctrl+Alt+l | org.cinnamon.desktop.keybindings.media-keys | screensaver",
             "Win+l | org.cinnamon.desktop.keybindings | looking-glass-keybinding",
             "Alt+Win+n | org.cinnamon.desktop.keybindings.wm | maximize",
             // Hyper shares Super's modifier on the default keyboard.
             "Win+m | org.cinnamon.desktop.keybindings.wm | maximize",
             "Ctrl+Alt+t | Terminal | gnome-terminal",
         })
        EXPECT_TRUE(Lists(reading, line));
    const std::string lines = AllLines(reading);
    EXPECT_EQ(std::string::npos, lines.find("| close\n")) << lines;
    EXPECT_GT(reading.shortcuts.size(), 80u);
}

TEST_F(SettingsShortcutsTest, KeybindingsOfTheEnabledExtensionsOnly)
{
    std::vector<DesktopShortcut> shortcuts;
    AddGnomeExtensionShortcuts(shortcuts);
    const DesktopReading reading{shortcuts, {}};
    EXPECT_TRUE(Lists(reading, "Ctrl+Alt+s | Screenshot Window Sizer | cycle-screenshot-sizes"));
    EXPECT_TRUE(Lists(reading, "Shift+Win+o | Own | toggle"));
    // Disabled ones win over enabled ones.
    EXPECT_EQ(3u, shortcuts.size()) << AllLines(reading);
}

} // namespace
