// keyvane-census as a whole process, with no display, on the desktops' tables:
// Debian's real kglobalaccel5 and GNOME's schemas with the keyfile backend.
#include <gtest/gtest.h>

#include "tests/census/FormatParsers.h"
#include "tests/census/linux/Fixture.h"
#include "tests/census/linux/GnomeKeyfile.h"
#include "tests/census/linux/KdeSession.h"
#include "tests/census/x11/ChildProcess.h"

namespace {

std::vector<std::string> Command(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), BuiltProgram("keyvane-census"));
    arguments.insert(arguments.end(), {"--format", "tsv"});
    return arguments;
}

// The display and what tells one desktop's session from another, but for the
// session's own variables.
std::vector<std::string> Session(const std::vector<std::string>& variables = {})
{
    return EnvironmentWithout({"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "SWAYSOCK",
                                  "HYPRLAND_INSTANCE_SIGNATURE", "GSETTINGS_BACKEND", "XDG_CONFIG_HOME"},
        variables);
}

// The status, and a line "combination | state | source | holder | action" for
// each row, each line after a newline.
struct CensusRun
{
    int status;
    std::string lines;
};

CensusRun Census(
    const std::vector<std::string>& arguments, const std::vector<std::string>& session = Session())
{
    const ChildProcess::Outcome outcome = ChildProcess(Command(arguments), session).Finish();
    std::string lines = "\n";
    for (const ParsedRecord& record : ParseTsv(outcome.output)) {
        for (const auto& [name, value] : Only(record, {"combination", "state", "source", "holder", "action"}))
            lines += (name == "combination" ? "" : " | ") + value;
        lines += "\n";
    }
    return {outcome.status, lines};
}

testing::AssertionResult Has(const CensusRun& run, const std::string& line)
{
    if (run.lines.find("\n" + line + "\n") != std::string::npos)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no \"" << line << "\" in" << run.lines;
}

TEST(DesktopCensusTest, KdeBindingsWithTheirHoldersInAnyLetterCase)
{
    const KdeSession session(Fixture("kglobalshortcutsrc"));
    ASSERT_TRUE(session.Ready());
    const CensusRun list = Census({"list", "--source", "kde"});
    EXPECT_EQ(0, list.status);
    EXPECT_TRUE(Has(list, "Win+n | taken | kde | Notes (org.example.notes.desktop) | Notes"));
    EXPECT_TRUE(Has(list, " | failed | kde | Notes (org.example.notes.desktop) | Broken Key"));

    const CensusRun check = Census({"check", "WIN+N", "ctrl+alt+q"});
    EXPECT_EQ(1, check.status);
    EXPECT_EQ(
        "\nWin+n | taken | kde | Notes (org.example.notes.desktop) | Notes\nCtrl+Alt+q | free |  |  | \n",
        check.lines);
}

TEST(DesktopCensusTest, AFailingTableIsOneFailedRowBesideTheOthers)
{
    const GnomeKeyfile gnome("<Super><ALT>N");
    std::vector<std::string> variables = gnome.Variables();
    variables.push_back("SWAYSOCK=/nonexistent/sway.sock");
    const CensusRun list = Census({"list"}, Session(variables));
    EXPECT_EQ(0, list.status);
    EXPECT_EQ(list.lines.find("| sway |"), list.lines.rfind("| sway |")) << list.lines;
    EXPECT_TRUE(Has(list, " | failed | sway |  | "));
    EXPECT_TRUE(Has(list,
        "Alt+Win+n | taken | gnome | org.gnome.desktop.wm.keybindings | activate-window-menu (Activate the "
        "window menu)"));

    // In another order and case the GNOME binding is taken; the unread sway
    // table cannot tell.
    EXPECT_EQ(1, Census({"check", "--source", "gnome", "win+alt+n"}, Session(variables)).status);
    const CensusRun both = Census({"check", "win+alt+n"}, Session(variables));
    EXPECT_EQ(2, both.status);
    EXPECT_TRUE(Has(both, "Alt+Win+n | failed | sway |  | "));
}

TEST(DesktopCensusTest, WatchSeesAGnomeBindingMove)
{
    const GnomeKeyfile gnome("<Super>n");
    ChildProcess watch(Command({"watch", "--source", "gnome", "--interval", "2", "--count", "2"}),
        Session(gnome.Variables()));
    // The header, then the first scan's rows.
    ASSERT_TRUE(watch.ReadLine(std::chrono::seconds(10)));
    ASSERT_TRUE(watch.ReadLine(std::chrono::seconds(10)));
    gnome.Write("<Super>m");

    const ChildProcess::Outcome outcome = watch.Finish(std::chrono::seconds(20));
    EXPECT_EQ(0, outcome.status) << outcome.error;
    for (const char* change : {"\tdisappeared\tWin+n\t", "\tappeared\tWin+m\t"})
        EXPECT_NE(std::string::npos, outcome.output.find(change)) << outcome.output;
}

} // namespace
