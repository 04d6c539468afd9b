// The Hyprland reader against a socket that serves a recorded reply the way
// Hyprland's does.
#include <gtest/gtest.h>

#include "census/linux/HyprlandShortcuts.h"
#include "tests/census/linux/Fixture.h"
#include "tests/census/linux/ReplyServer.h"
#include "tests/census/linux/ShortcutLines.h"
#include "tests/census/linux/TemporaryFolder.h"

#include <fstream>
#include <sstream>

namespace {

constexpr std::string_view kRequest = "j/binds";
constexpr const char* kSignature = "keyvane_test_1733677200";

class HyprlandShortcutsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_socket.parent_path());
        setenv("XDG_RUNTIME_DIR", m_folder.Path().c_str(), 1);
        setenv("HYPRLAND_INSTANCE_SIGNATURE", kSignature, 1);
    }
    void TearDown() override
    {
        unsetenv("XDG_RUNTIME_DIR");
        unsetenv("HYPRLAND_INSTANCE_SIGNATURE");
    }

    TemporaryFolder m_folder;
    std::filesystem::path m_socket = m_folder.Path() / "hypr" / kSignature / ".socket.sock";
};

TEST_F(HyprlandShortcutsTest, KeyBindingsOfTheRunningInstance)
{
    std::ostringstream binds;
    binds << std::ifstream(Fixture("hyprland-binds.json")).rdbuf();
    ReplyServer hyprland(m_socket, kRequest.size(), binds.str());
    const DesktopReading reading = ReadHyprlandShortcuts();
    EXPECT_EQ(kRequest, hyprland.Request());
    ASSERT_EQ("", reading.failure);
    for (const char* line : {
             "Win+q | hyprland | exec kitty",
             "Win+c | hyprland | killactive",
             "Ctrl+Alt+Delete | hyprland | exit",
             "Shift+Win+1 | hyprland | movetoworkspace 1", // keycode 10
             "XF86AudioMute | hyprland | exec wpctl set-mute @DEFAULT_AUDIO_SINK@ toggle",
             "Alt+Win+r | hyprland | submap resize",
             "Right | hyprland | resizeactive 10 0 (submap \"resize\")",
             "! modmask 66 holds modifiers other than Ctrl, Alt, Shift and Super | hyprland | "
             "togglespecialworkspace magic",
         })
        EXPECT_TRUE(Lists(reading, line));
    // Not the mouse bindings nor the submap's catch-all.
    EXPECT_EQ(8u, reading.shortcuts.size()) << AllLines(reading);
}

TEST_F(HyprlandShortcutsTest, FailsOnRepliesThatAreNoBindings)
{
    for (const char* reply : {R"({"binds": []})", R"([{"modmask": "SUPER"}])", "[1]", "[{", ""}) {
        ReplyServer hyprland(m_socket, kRequest.size(), reply);
        const DesktopReading reading = ReadHyprlandShortcuts();
        EXPECT_NE("", reading.failure) << reply;
    }
}

} // namespace
