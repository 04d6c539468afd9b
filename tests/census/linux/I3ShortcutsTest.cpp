// The i3 reader against a real i3 on a display of its own.
#include <gtest/gtest.h>

#include "census/linux/I3Shortcuts.h"
#include "tests/census/linux/Fixture.h"
#include "tests/census/linux/I3Session.h"
#include "tests/census/linux/ReplyServer.h"
#include "tests/census/linux/ShortcutLines.h"
#include "tests/census/linux/TemporaryFolder.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <thread>

namespace {

// The test's display stays the test's: the session's is set for a reading.
class DisplayOf
{
public:
    explicit DisplayOf(const I3Session& i3)
    {
        if (const char* display = std::getenv("DISPLAY"))
            m_display = display;
        unsetenv("I3SOCK");
        setenv("DISPLAY", i3.Display().c_str(), 1);
    }
    ~DisplayOf() { m_display ? setenv("DISPLAY", m_display->c_str(), 1) : unsetenv("DISPLAY"); }
    DisplayOf(const DisplayOf&) = delete;
    DisplayOf& operator=(const DisplayOf&) = delete;

private:
    std::optional<std::string> m_display;
};

TEST(RealI3Test, BindingsOfTheConfigurationAndWhatItIncludes)
{
    const I3Session i3(Fixture("i3"));
    ASSERT_NE("", i3.Socket()) << "i3 did not start";
    // Without I3SOCK, the display's root window names the socket.
    const DisplayOf display(i3);
    EXPECT_EQ(i3.Socket(), I3SocketPath());

    const DesktopReading reading = ReadI3Shortcuts();
    ASSERT_EQ("", reading.failure);
    for (const char* line : {
             "Win+Return | i3 | exec xterm",
             "Win+1 | i3 | exec one",
             "Win+2 | i3 | exec two",
             "Win+l | i3 | exec lock",
             "Win+l | i3 | exec release (--release)",
             "! no keysym is named \"return\" | i3 | exec lower-case",
             "Win+a | i3 | exec code-a",
             "h | i3 | resize shrink width 10 px (mode \"resize\")",
             "Win+F5 | i3 | exec   included   xterm",
         })
        EXPECT_TRUE(Lists(reading, line));
    EXPECT_EQ(9u, reading.shortcuts.size()) << AllLines(reading);
}

// Of two bindings of the same keys, i3 runs the first one, pressed on i3's
// own display as a user would, and the table shows that one.
TEST(RealI3Test, TheFirstOfTwoSameBindingsCounts)
{
    const I3Session i3(Fixture("i3-duplicates"));
    ASSERT_NE("", i3.Socket()) << "i3 did not start";
    const DisplayOf display(i3);
    const DesktopReading reading = ReadI3Shortcuts();
    EXPECT_EQ("Win+l | i3 | exec touch \"$HOME/l-first\"\n", AllLines(reading));

    ChildProcess press(
        {"/usr/bin/xdotool", "key", "super+l"}, std::vector<std::string>{"DISPLAY=" + i3.Display()});
    ASSERT_EQ(0, press.Finish().status);
    const std::filesystem::path first = i3.Home() / "l-first";
    for (int attempt = 0; attempt < 100 && !std::filesystem::exists(first); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(std::filesystem::exists(first));
    EXPECT_FALSE(std::filesystem::exists(i3.Home() / "l-second"));
}

// sway sets I3SOCK to its own socket: that is no i3.
TEST(I3ShortcutsTest, SwaysSocketIsNoI3s)
{
    const I3Session i3(Fixture("i3"));
    const DisplayOf display(i3);
    setenv("I3SOCK", "/run/user/1000/sway-ipc.sock", 1);
    setenv("SWAYSOCK", "/run/user/1000/sway-ipc.sock", 1);
    EXPECT_EQ(i3.Socket(), I3SocketPath());
    unsetenv("SWAYSOCK");
    EXPECT_EQ("/run/user/1000/sway-ipc.sock", I3SocketPath());
    unsetenv("I3SOCK");
}

// i3 before 4.20 reports its main file alone, its variables not replaced:
// the reader replaces them as i3 did, by the nearest name in any case.
TEST(I3ShortcutsTest, ReplacesTheVariablesOfAnOlderI3)
{
    const TemporaryFolder folder;
    const std::filesystem::path socket = folder.Path() / "ipc-socket";
    const std::string config = "set $Mod Mod4\nset $mode_x exec x\nbindsym $mod+x $mode_x $MOD\n";
    const std::string payload = nlohmann::json{{"config", config}}.dump();
    const auto length = static_cast<std::uint32_t>(payload.size());
    const std::uint32_t type = 9;
    ReplyServer i3(socket, 14,
        "i3-ipc" + std::string(reinterpret_cast<const char*>(&length), 4)
            + std::string(reinterpret_cast<const char*>(&type), 4) + payload);
    setenv("I3SOCK", socket.c_str(), 1);
    const DesktopReading reading = ReadI3Shortcuts();
    unsetenv("I3SOCK");
    EXPECT_EQ("Win+x | i3 | exec x Mod4\n", AllLines(reading)) << reading.failure;
}

} // namespace
