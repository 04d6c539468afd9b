// The sway reader against a socket that serves recorded replies the way
// sway's IPC does.
#include <gtest/gtest.h>

#include "census/linux/SwayShortcuts.h"
#include "tests/census/linux/Fixture.h"
#include "tests/census/linux/ReplyServer.h"
#include "tests/census/linux/ShortcutLines.h"
#include "tests/census/linux/SwaySession.h"
#include "tests/census/linux/TemporaryFolder.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

constexpr std::uint32_t kGetConfig = 9;
constexpr size_t kHeaderSize = 14;

// "i3-ipc", the payload's length and the type in the machine's byte order,
// then the payload.
std::string SwayMessage(std::uint32_t type, const std::string& payload)
{
    const auto length = static_cast<std::uint32_t>(payload.size());
    return "i3-ipc" + std::string(reinterpret_cast<const char*>(&length), 4)
        + std::string(reinterpret_cast<const char*>(&type), 4) + payload;
}

std::string ConfigReply(const char* fixture)
{
    std::ostringstream config;
    config << std::ifstream(Fixture(fixture)).rdbuf();
    return SwayMessage(kGetConfig, nlohmann::json{{"config", config.str()}}.dump());
}

class SwayShortcutsTest : public testing::Test
{
protected:
    void SetUp() override { setenv("SWAYSOCK", m_socket.c_str(), 1); }
    void TearDown() override { unsetenv("SWAYSOCK"); }

    TemporaryFolder m_folder;
    std::filesystem::path m_socket = m_folder.Path() / "sway-ipc.sock";
};

TEST_F(SwayShortcutsTest, BindingsOfTheLoadedConfiguration)
{
    ReplyServer sway(m_socket, kHeaderSize, ConfigReply("sway-config"));
    const DesktopReading reading = ReadSwayShortcuts();
    EXPECT_EQ(SwayMessage(kGetConfig, ""), sway.Request());
    ASSERT_EQ("", reading.failure);
    for (const char* line : {
             "Win+Return | sway | exec foot",
             "Shift+Win+q | sway | kill",
             "Win+d | sway | exec wofi --show drun",
             "Shift+Win+l | sway | move right",
             "h | sway | resize shrink width 10px (mode \"resize\")",
             "Escape | sway | mode \"default\" (mode \"resize\")",
             "Print | sway | exec grim (--release, --no-repeat)",
             "Win+a | sway | exec wofi", // keycode 38
             "Ctrl+Alt+Shift+Win+Next | sway | exec notify-send far",
             "XF86AudioMute | sway | exec pactl set-sink-mute @DEFAULT_SINK@ toggle",
             // $mod is the beginning of $mode_system, which wins.
             "l | sway | exec swaylock, mode \"default\" (mode \"System: (l) lock, (e) exit\")",
             "! \"Mod3\" is none of Ctrl, Alt, Shift and Mod4 | sway | exec nothing",
             "! no keysym is named \"NoSuchKey\" | sway | exec nothing",
         })
        EXPECT_TRUE(Lists(reading, line));
    // The default configuration's 63 less the one unbound, and the test's 7:
    // not the mouse button, nor the second Win+d.
    EXPECT_EQ(69u, reading.shortcuts.size()) << AllLines(reading);
}

TEST_F(SwayShortcutsTest, FailsOnRepliesThatHoldNoConfiguration)
{
    for (const std::string& reply : {
             SwayMessage(kGetConfig - 1, R"({"config": ""})"),
             SwayMessage(kGetConfig, R"({"config": 5})"),
             SwayMessage(kGetConfig, R"({"config": "bindsym)"),
             SwayMessage(kGetConfig, R"({"config": ""})").substr(0, 20),
         }) {
        ReplyServer sway(m_socket, kHeaderSize, reply);
        const DesktopReading reading = ReadSwayShortcuts();
        EXPECT_NE("", reading.failure);
        EXPECT_TRUE(reading.shortcuts.empty());
    }
}

TEST_F(SwayShortcutsTest, GivesUpOnASwayThatDoesNotAnswer)
{
    ReplyServer sway(m_socket, kHeaderSize, std::nullopt);
    const DesktopReading reading = ReadSwayShortcuts(std::chrono::milliseconds(300));
    EXPECT_NE(std::string::npos, reading.failure.find("no answer in time")) << reading.failure;
}

// The same configuration in a real sway, which also shows what the table
// cannot: a binding added at run time.
TEST(RealSwayTest, BindingsOfTheLoadedConfigurationOnly)
{
    const SwaySession sway(Fixture("sway-config"));
    ASSERT_NE("", sway.Socket()) << "sway did not start";
    ChildProcess added({"/usr/bin/swaymsg", "bindsym", "Mod4+F9", "exec", "true"});
    ASSERT_EQ(0, added.Finish().status);

    const DesktopReading reading = ReadSwayShortcuts();
    ASSERT_EQ("", reading.failure);
    EXPECT_TRUE(
        Lists(reading, "l | sway | exec swaylock, mode \"default\" (mode \"System: (l) lock, (e) exit\")"));
    EXPECT_EQ(69u, reading.shortcuts.size()) << AllLines(reading);
}

} // namespace
