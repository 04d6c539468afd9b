// keyvane-census as a whole process, with no display, on the desktops' tables:
// Debian's real kglobalaccel5 and GNOME's schemas with the keyfile backend.
#include <gtest/gtest.h>

#include "tests/census/FormatParsers.h"
#include "tests/census/linux/Fixture.h"
#include "tests/census/linux/GnomeKeyfile.h"
#include "tests/census/linux/KdeSession.h"
#include "tests/census/x11/ChildProcess.h"

#include <algorithm>
#include <memory>

namespace {

// What tells one desktop's session from another, and the display.
const std::vector<std::string> kSessionVariables = {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP",
    "SWAYSOCK", "HYPRLAND_INSTANCE_SIGNATURE", "GSETTINGS_BACKEND", "XDG_CONFIG_HOME"};

std::unique_ptr<ChildProcess> StartCensus(
    std::vector<std::string> arguments, const std::vector<std::string>& session = {})
{
    arguments.insert(arguments.begin(), BuiltProgram("keyvane-census"));
    arguments.insert(arguments.end(), {"--format", "tsv"});
    return std::make_unique<ChildProcess>(arguments, EnvironmentWithout(kSessionVariables, session));
}

ChildProcess::Outcome Census(std::vector<std::string> arguments, const std::vector<std::string>& session = {})
{
    return StartCensus(std::move(arguments), session)->Finish();
}

constexpr const char* kWindowMenu
    = "org.gnome.desktop.wm.keybindings | activate-window-menu (Activate the window menu)";

// Each row as "combination | state | source | holder | action".
std::vector<std::string> Rows(const std::string& tsv)
{
    std::vector<std::string> rows;
    for (const ParsedRecord& record : ParseTsv(tsv)) {
        std::string row;
        for (const auto& [name, value] : Only(record, {"combination", "state", "source", "holder", "action"}))
            row += " | " + value;
        rows.push_back(row.substr(3));
    }
    return rows;
}

bool Has(const std::vector<std::string>& rows, const std::string& row)
{
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

TEST(DesktopCensusTest, KdeBindingsWithTheirHoldersInAnyLetterCase)
{
    const KdeSession session(Fixture("kglobalshortcutsrc"));
    ASSERT_TRUE(session.Ready());

    const ChildProcess::Outcome list = Census({"list", "--source", "kde"});
    ASSERT_EQ(0, list.status) << list.error;
    const std::vector<std::string> rows = Rows(list.output);
    EXPECT_TRUE(Has(rows, "Win+n | taken | kde | Notes (org.example.notes.desktop) | Notes")) << list.output;
    EXPECT_TRUE(Has(rows, " | failed | kde | Notes (org.example.notes.desktop) | Broken Key")) << list.output;

    const ChildProcess::Outcome check = Census({"check", "WIN+N", "ctrl+alt+q"});
    EXPECT_EQ(1, check.status) << check.error;
    EXPECT_EQ((std::vector<std::string>{"Win+n | taken | kde | Notes (org.example.notes.desktop) | Notes",
                  "Ctrl+Alt+q | free |  |  | "}),
        Rows(check.output));
}

TEST(DesktopCensusTest, AFailingTableIsOneFailedRowBesideTheOthers)
{
    const GnomeKeyfile gnome("<Super><ALT>N");
    std::vector<std::string> session = gnome.Session();
    session.push_back("SWAYSOCK=" + gnome.Path("gone.sock"));

    const ChildProcess::Outcome list = Census({"list"}, session);
    ASSERT_EQ(0, list.status) << list.error;
    const std::vector<std::string> rows = Rows(list.output);
    EXPECT_EQ(1, std::count_if(rows.begin(), rows.end(), [](const std::string& row) {
        return row.find("| sway |") != std::string::npos;
    })) << list.output;
    EXPECT_TRUE(Has(rows, " | failed | sway |  | ")) << list.output;
    EXPECT_TRUE(Has(rows,
        "Alt+Win+n | taken | gnome | org.gnome.desktop.wm.keybindings | activate-window-menu (Activate the "
        "window menu)"))
        << list.output;

    // Checked in another case and order of modifiers, the GNOME binding is
    // taken; the sway table, unread, cannot tell.
    const ChildProcess::Outcome check = Census({"check", "--source", "gnome", "win+alt+n"}, session);
    EXPECT_EQ(1, check.status) << check.output << check.error;
    const ChildProcess::Outcome both = Census({"check", "win+alt+n"}, session);
    EXPECT_EQ(2, both.status);
    EXPECT_TRUE(Has(Rows(both.output), "Alt+Win+n | failed | sway |  | ")) << both.output;
}

TEST(DesktopCensusTest, WatchSeesAGnomeBindingMove)
{
    const GnomeKeyfile gnome("<Super>n");
    const std::unique_ptr<ChildProcess> watch
        = StartCensus({"watch", "--source", "gnome", "--interval", "2", "--count", "2"}, gnome.Session());
    // The header, then the first scan's rows.
    ASSERT_TRUE(watch->ReadLine(std::chrono::seconds(10)));
    ASSERT_TRUE(watch->ReadLine(std::chrono::seconds(10)));
    gnome.Write("<Super>m");

    const ChildProcess::Outcome outcome = watch->Finish(std::chrono::seconds(20));
    EXPECT_EQ(0, outcome.status) << outcome.error;
    for (const char* change : {"\tdisappeared\tWin+n\t", "\tappeared\tWin+m\t"})
        EXPECT_NE(std::string::npos, outcome.output.find(change)) << outcome.output;
}

} // namespace
