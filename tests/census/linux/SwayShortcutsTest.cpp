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
#include <set>
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

// Text that is not UTF-8 spoils a character, not the table.
TEST_F(SwayShortcutsTest, InvalidTextBecomesReplacementCharacters)
{
    ReplyServer sway(m_socket, kHeaderSize,
        SwayMessage(
            kGetConfig, "{\"config\": \"bindsym Mod4+F9 exec caf\xe9\\nbindsym Mod4+F8 exec \xff\"}"));
    const DesktopReading reading = ReadSwayShortcuts();
    ASSERT_EQ("", reading.failure);
    EXPECT_TRUE(Lists(reading, "Win+F9 | sway | exec caf\uFFFD"));
    EXPECT_TRUE(Lists(reading, "Win+F8 | sway | exec \uFFFD"));
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
        EXPECT_EQ(std::string::npos, reading.failure.find("bindsym"))
            << "quotes the reply: " << reading.failure;
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

// The commands that sway's debug log says it bound, less those it replaced
// and the mouse's.
std::multiset<std::string> SwaysCommands(const std::string& log)
{
    std::multiset<std::string> commands;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> quoted; // between backquotes: the new command, then any replaced one
        for (size_t open = line.find('`'); open != std::string::npos; open = line.find('`', open + 1)) {
            const size_t close = line.find('`', open + 1);
            quoted.push_back(line.substr(open + 1, close - open - 1));
            open = close;
        }
        const bool bound = line.find(" - Bound ") != std::string::npos;
        const bool replaced = line.find("Overwriting binding") != std::string::npos;
        if ((!bound && !replaced) || quoted.empty() || quoted[0].find("mouse") != std::string::npos)
            continue;
        commands.insert(quoted[0]);
        if (replaced && quoted.size() > 1)
            commands.erase(commands.find(quoted[1]));
    }
    return commands;
}

// Each rule of sway's reader against sway itself: what it logs having bound
// is what the table holds. (The text sway reports drops a "{" that stands on
// a line of its own.)
TEST(RealSwayTest, ReadsEveryRuleAsSwayDoes)
{
    const SwaySession sway(Fixture("sway-rules"));
    ASSERT_NE("", sway.Socket()) << "sway did not start";
    const DesktopReading reading = ReadSwayShortcuts();
    ASSERT_EQ("", reading.failure);
    std::multiset<std::string> commands;
    for (const DesktopShortcut& shortcut : reading.shortcuts)
        commands.insert(shortcut.action.substr(0, shortcut.action.find(" (")));
    EXPECT_EQ(SwaysCommands(sway.Log()), commands) << AllLines(reading);
    for (const char* line : {
             "Win+l | sway | exec replaced",
             "Win+l | sway | exec locked (--locked)",
             "Win+l | sway | exec inhibited-release (--inhibited, --release)",
             "! a binding of layout group 2 is no combination | sway | exec group",
             "Win+Return | sway | exec foot \"a  b\" \"q\" \\n",
             "Win+x | sway | exec mode-x",
             "Win+z | sway | exec $literal",
             "h | sway | exec shrink (mode \"resize\")",
             "Win+F1 | sway | exec block",
         })
        EXPECT_TRUE(Lists(reading, line));
}

} // namespace
