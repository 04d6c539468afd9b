// The Xfce reader against Debian's real xfconfd on a private session bus,
// which loads the channel from a fixture in a configuration folder of the
// test's own.
#include <gtest/gtest.h>

#include "census/linux/DesktopSources.h"
#include "census/linux/XfceShortcuts.h"
#include "tests/census/linux/BusSession.h"
#include "tests/census/linux/Fixture.h"
#include "tests/census/linux/ShortcutLines.h"
#include "tests/census/linux/TemporaryFolder.h"

#include <filesystem>

namespace {

// The bus starts xfconfd the way Xfce's session does, by its name.
constexpr const char* kStartXfconfd
    = "gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus "
      "-m org.freedesktop.DBus.StartServiceByName org.xfce.Xfconf 0 >/dev/null "
      "|| exit 1\n";

TEST(XfceShortcutsTest, EachProviderFromTheBranchItUsesInProcessAndByCheck)
{
    const TemporaryFolder config;
    const std::filesystem::path channels = config.Path() / "xfce4" / "xfconf" / "xfce-perchannel-xml";
    std::filesystem::create_directories(channels);
    std::filesystem::copy_file(
        Fixture("xfce4-keyboard-shortcuts.xml"), channels / "xfce4-keyboard-shortcuts.xml");
    const BusSession session(kStartXfconfd, {"XDG_CONFIG_HOME=" + config.Path().string()});
    ASSERT_TRUE(session.Ready());
    const DesktopReading reading = ReadXfceShortcuts();
    ASSERT_EQ("", reading.failure);
    // Commands are customised: their defaults are no longer read.
    EXPECT_TRUE(Lists(reading, "XF86Display | xfsettingsd | xfce4-display-settings --minimal"));
    // GTK's parser: <Shft> and <Mod1> are Shift and Alt, <Foo> is passed over.
    EXPECT_TRUE(Lists(reading, "Alt+Shift+x | xfsettingsd | weird"));
    EXPECT_TRUE(Lists(reading, "! <Hyper> is none of Ctrl, Alt, Shift and Super | xfsettingsd | hyper"));
    // The window manager's are not: its custom branch is not in use.
    EXPECT_TRUE(Lists(reading, "Alt+F4 | xfwm4 | close_window_key"));
    EXPECT_EQ(6u, reading.shortcuts.size()) << AllLines(reading);

    ChildProcess census(
        {BuiltProgram("keyvane-census"), "check", "ctrl+alt+T", "--source", "xfce", "--format", "tsv"},
        EnvironmentWithout({"DISPLAY", "XDG_CURRENT_DESKTOP"}, {"XDG_CURRENT_DESKTOP=XFCE"}));
    const ChildProcess::Outcome outcome = census.Finish();
    EXPECT_EQ(1, outcome.status) << outcome.error;
    EXPECT_NE(std::string::npos,
        outcome.output.find("\ttaken\txfce\txfsettingsd\texo-open --launch TerminalEmulator\t"))
        << outcome.output;
}

TEST(DesktopSourcesTest, TheOtherDesktopsFromXdgCurrentDesktop)
{
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("SWAYSOCK");
    unsetenv("HYPRLAND_INSTANCE_SIGNATURE");
    setenv("XDG_CURRENT_DESKTOP", "X-Cinnamon:MATE:XFCE:LXQt", 1);
    EXPECT_EQ(
        (std::vector{DesktopSource::cinnamon, DesktopSource::mate, DesktopSource::xfce, DesktopSource::lxqt}),
        OfferedDesktopSources());
    EXPECT_EQ("lxqt-globalkeysd: the session has no D-Bus session bus",
        ReadDesktopShortcuts(DesktopSource::lxqt).failure);
    unsetenv("XDG_CURRENT_DESKTOP");
}

} // namespace
