// The KDE reader against Debian's real kglobalaccel5 on a private bus.
#include <gtest/gtest.h>

#include "census/linux/DesktopSources.h"
#include "census/linux/KdeShortcuts.h"
#include "tests/census/linux/Fixture.h"
#include "tests/census/linux/KdeSession.h"
#include "tests/census/linux/ReplyServer.h"
#include "tests/census/linux/ShortcutLines.h"
#include "tests/census/linux/TemporaryFolder.h"

#include <algorithm>

namespace {

bool Offered(DesktopSource source)
{
    const std::vector<DesktopSource> sources = OfferedDesktopSources();
    return std::find(sources.begin(), sources.end(), source) != sources.end();
}

TEST(KdeShortcutsTest, EveryActiveKeyOfEveryComponentRunningOrNot)
{
    const KdeSession session(Fixture("kglobalshortcutsrc"));
    ASSERT_TRUE(session.Ready());
    EXPECT_TRUE(Offered(DesktopSource::kde));

    const DesktopReading reading = ReadKdeShortcuts();
    ASSERT_EQ("", reading.failure);
    for (const char* line : {
             "Alt+Tab | KWin (kwin) | Walk Through Windows",
             "Win+Tab | KWin (kwin) | Walk Through Windows",
             "Ctrl+Win+Escape | KWin (kwin) | Kill a Window",
             "Win+l | Session Management (ksmserver) | Lock Session",
             "XF86ScreenSaver | Session Management (ksmserver) | Lock Session",
             "Ctrl+Alt+Delete | Session Management (ksmserver) | Log Out",
             "XF86AudioMute | Audio Volume (kmix) | Mute",
             // Qt's launch keys: Launch0 is "My Computer" for old times' sake.
             "XF86MyComputer | Audio Volume (kmix) | Launchers",
             "XF86LaunchE | Audio Volume (kmix) | Launchers",
             "XF86Memo | Audio Volume (kmix) | Launchers",
             "Print | Spectacle (org.kde.spectacle.desktop) | Spectacle",
             "Shift+Win+Print | Spectacle (org.kde.spectacle.desktop) | Capture Rectangular Region",
             "Win+n | Notes (org.example.notes.desktop) | Notes",
             "Ctrl+Alt+KP_1 | Notes (org.example.notes.desktop) | New Note",
             "Ctrl+Shift+F1 | Notes (org.example.notes.desktop) | Make Bold (context Editing)",
             // The daemon keeps a key text that Qt cannot read as a key it does not know.
             "! Qt key 0x1ffffff has no keysym | Notes (org.example.notes.desktop) | Broken Key",
         })
        EXPECT_TRUE(Lists(reading, line));
    // Show Desktop has a default key but no active one.
    EXPECT_EQ(16u, reading.shortcuts.size()) << AllLines(reading);
}

TEST(KdeShortcutsTest, FailsWhenTheDaemonIsNotOnTheBus)
{
    const KdeSession session(Fixture("kglobalshortcutsrc"), KdeSession::Daemon::absent);
    ASSERT_TRUE(session.Ready());
    EXPECT_FALSE(Offered(DesktopSource::kde));

    const DesktopReading reading = ReadKdeShortcuts();
    EXPECT_NE(std::string::npos, reading.failure.find("org.kde.kglobalaccel")) << reading.failure;
    EXPECT_TRUE(reading.shortcuts.empty());
}

TEST(KdeShortcutsTest, GivesUpOnADaemonThatDoesNotAnswer)
{
    const KdeSession session(Fixture("kglobalshortcutsrc"), KdeSession::Daemon::frozen);
    ASSERT_TRUE(session.Ready());
    EXPECT_TRUE(Offered(DesktopSource::kde));

    const DesktopReading reading = ReadKdeShortcuts(std::chrono::milliseconds(300));
    EXPECT_NE("", reading.failure);
    EXPECT_TRUE(reading.shortcuts.empty());
}

TEST(KdeShortcutsTest, GivesUpOnABusThatDoesNotLetItIn)
{
    const TemporaryFolder folder;
    const ReplyServer bus(folder.Path() / "bus", 0, std::nullopt);
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (folder.Path() / "bus").string()).c_str(), 1);
    const DesktopReading reading = ReadKdeShortcuts(std::chrono::milliseconds(300));
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_NE("", reading.failure);
}

TEST(DesktopSourcesTest, FromTheSessionsEnvironmentWithoutABus)
{
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("XDG_RUNTIME_DIR");
    setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", 1);
    setenv("SWAYSOCK", "/run/user/1000/sway-ipc.1000.1234.sock", 1);
    setenv("HYPRLAND_INSTANCE_SIGNATURE", "abc_1733677200", 1);
    EXPECT_EQ((std::vector{DesktopSource::gnome, DesktopSource::sway, DesktopSource::hyprland}),
        OfferedDesktopSources());

    // A KDE session whose daemon is missing offers a table that fails.
    setenv("XDG_CURRENT_DESKTOP", "KDE", 1);
    unsetenv("SWAYSOCK");
    unsetenv("HYPRLAND_INSTANCE_SIGNATURE");
    EXPECT_EQ(std::vector{DesktopSource::kde}, OfferedDesktopSources());
    EXPECT_EQ("kglobalaccel: the session has no D-Bus session bus",
        ReadDesktopShortcuts(DesktopSource::kde).failure);
    unsetenv("XDG_CURRENT_DESKTOP");
}

} // namespace
