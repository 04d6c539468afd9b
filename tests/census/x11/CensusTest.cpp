// keyvane-census on X11 against grabs that another X client really holds.
// GoogleTest first: Xlib's headers define None and Bool as macros.
#include <gtest/gtest.h>

#include "census/core/Cli.h"
#include "census/core/CombinationText.h"
#include "census/core/Records.h"
#include "census/x11/X11Backend.h"
#include "tests/census/linux/GnomeKeyfile.h"
#include "tests/census/x11/ChildProcess.h"
#include "tests/census/x11/DisplayTest.h"
#include "tests/census/x11/HeldGrabs.h"
#include "tests/census/x11/PrivateDisplay.h"

#include <X11/keysym.h>

#include <algorithm>
#include <memory>
#include <sstream>

namespace {

using Row = std::vector<std::string>;

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream stream(text);
    for (std::string part; std::getline(stream, part, separator);)
        parts.push_back(part);
    // A trailing separator ends an empty last field.
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

// The rows of TSV output, header first.
std::vector<Row> TsvRows(const std::string& output)
{
    std::vector<Row> rows;
    for (const std::string& line : Split(output, '\n')) {
        if (!line.empty())
            rows.push_back(Split(line, '\t'));
    }
    return rows;
}

struct CliRun
{
    int status;
    std::string output;
    std::string error;
};

CliRun RunCli(X11Backend& backend, const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCensusCli(args, backend, out, err);
    return {status, out.str(), err.str()};
}

class X11CensusTest : public DisplayTest
{
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        if (HasFatalFailure())
            return;
        m_k = Key("k");
        m_f12 = Key("F12");
        m_delete = Key("Delete");
        m_min = m_keymap->MinKeycode();
        ASSERT_EQ("", m_keymap->KeyName(m_min)) << "the lowest keycode was expected to carry no keysym";
    }

    // What a desktop's shortcut daemon would hold: Ctrl+Alt+K with every lock
    // variant, two more combinations of K, Shift+Win+F12 alone, Alt+Delete
    // only with NumLock, and every modifier with the lowest keycode and CapsLock.
    std::vector<KeyGrab> DesktopGrabs() const
    {
        const unsigned ctrlAlt = ControlMask | Mod1Mask;
        const unsigned all = ControlMask | Mod1Mask | ShiftMask | Mod4Mask;
        return {
            {m_k, ctrlAlt},
            {m_k, ctrlAlt | LockMask},
            {m_k, ctrlAlt | m_numLock},
            {m_k, ctrlAlt | LockMask | m_numLock},
            {m_k, 0},
            {m_k, ShiftMask | Mod4Mask},
            {m_f12, ShiftMask | Mod4Mask},
            {m_delete, Mod1Mask | m_numLock},
            {m_min, all},
            {m_min, all | LockMask},
        };
    }

    // The helper still gets its Ctrl+Alt+K: the census took nothing from it.
    static void ExpectShortcutStillWorks(HeldGrabs& holder, unsigned k)
    {
        ASSERT_TRUE(TypeKeys("ctrl+alt+k")) << "xdotool failed";
        const std::optional<KeyGrab> press = holder.NextPress();
        ASSERT_TRUE(press) << "the helper client received no key press";
        EXPECT_EQ((KeyGrab{k, ControlMask | Mod1Mask}), *press);
    }

    unsigned m_k = 0;
    unsigned m_f12 = 0;
    unsigned m_delete = 0;
    unsigned m_min = 0;
    X11Backend m_backend;
};

TEST_F(X11CensusTest, ListsExactlyTheHeldCombinationsInTheDialogsOrder)
{
    HeldGrabs holder(DesktopGrabs());
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grabs";

    const CliRun run = RunCli(m_backend, {"list", "--format", "tsv"});
    EXPECT_EQ(kExitSuccess, run.status) << run.error;
    EXPECT_EQ("", run.error);
    // Lowest keysym first, the lowest keycode's none; within a key
    // Ctrl+Alt+Shift+Win down to the key alone. Alt+Delete is held only with
    // NumLock: not taken. The only client with grabs holds them all.
    const std::string k = CodeText(XK_k);
    const std::string x = holder.Name();
    const std::vector<Row> expected = {
        {"combination", "key", "code", "ctrl", "alt", "shift", "win", "state", "source", "holder", "action",
            "error"},
        {"Ctrl+Alt+Shift+Win+" + CodeText(m_min), "", CodeText(NoSymbol), "1", "1", "1", "1", "taken", "x11",
            x, "", ""},
        {"Ctrl+Alt+k", "k", k, "1", "1", "0", "0", "taken", "x11", x, "", ""},
        {"Shift+Win+k", "k", k, "0", "0", "1", "1", "taken", "x11", x, "", ""},
        {"k", "k", k, "0", "0", "0", "0", "taken", "x11", x, "", ""},
        {"Shift+Win+F12", "F12", CodeText(XK_F12), "0", "0", "1", "1", "taken", "x11", x, "", ""},
    };
    EXPECT_EQ(expected, TsvRows(run.output));
    ExpectShortcutStillWorks(holder, m_k);
}

TEST_F(X11CensusTest, LocksNameTheHeldLockVariants)
{
    HeldGrabs holder(DesktopGrabs());
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grabs";

    const std::vector<Row> rows = TsvRows(RunCli(m_backend, {"--locks", "--format=tsv"}).output);
    ASSERT_EQ(6u, rows.size());
    EXPECT_EQ("locks", rows[0].back());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Ctrl+Alt+Shift+Win+" + CodeText(m_min), "CapsLock"},
        {"Ctrl+Alt+k", "NumLock CapsLock NumLock+CapsLock"},
        {"Shift+Win+k", ""},
        {"k", ""},
        {"Shift+Win+F12", ""},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first, rows[i + 1].front()) << "row " << i + 1;
        EXPECT_EQ(expected[i].second, rows[i + 1].back()) << "locks of row " << i + 1;
    }
    ExpectShortcutStillWorks(holder, m_k);
}

TEST_F(X11CensusTest, CheckTellsFreeTakenAndUnknownApart)
{
    HeldGrabs holder(DesktopGrabs());
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grabs";

    const struct
    {
        std::vector<std::string> combinations;
        int status;
    } cases[] = {
        {{"Ctrl+Alt+Shift+k"}, kExitSuccess},
        {{"ctrl+alt+K"}, kExitTaken},
        {{"Ctrl+Alt+" + CodeText(m_k)}, kExitTaken},
        {{"Ctrl+Shift+F5", "Super+Shift+f12"}, kExitTaken},
        // Held only with NumLock: free when NumLock is off.
        {{"Alt+Del"}, kExitSuccess},
        {{"Ctrl+Nonsense"}, kExitBadInput},
        {{"Ctrl+Alt+k", "Ctrl+"}, kExitBadInput},
        // A keysym that no key of this keyboard carries.
        {{"Ctrl+Thai_kokai"}, kExitBadInput},
        // Keycodes outside the keyboard's range, one of them K's plus 256:
        // X carries keycodes in one byte.
        {{"Ctrl+" + CodeText(m_min - 1)}, kExitBadInput},
        {{"Ctrl+Alt+" + CodeText(m_k + 256)}, kExitBadInput},
    };
    for (const auto& [combinations, status] : cases) {
        std::vector<std::string> args = {"check"};
        args.insert(args.end(), combinations.begin(), combinations.end());
        const CliRun run = RunCli(m_backend, args);
        EXPECT_EQ(status, run.status) << "check " << testing::PrintToString(combinations) << "\n"
                                      << run.output << run.error;
    }

    const std::vector<Row> rows
        = TsvRows(RunCli(m_backend, {"check", "--locks", "--format", "tsv", "Alt+Del", "Ctrl+Alt+k"}).output);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ((Row{"Alt+Delete", "Delete", CodeText(XK_Delete), "0", "1", "0", "0", "free", "", "", "", "",
                  "NumLock"}),
        rows[1]);
    EXPECT_EQ("NumLock CapsLock NumLock+CapsLock", rows[2].back());
    ExpectShortcutStillWorks(holder, m_k);
}

TEST_F(X11CensusTest, ProbesNoKeyOutsideTheKeyboard)
{
    HeldGrabs holder({{m_k, ControlMask}});
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grab";

    for (const Combination combo : {Combination{m_k + 256, kModCtrl}, Combination{m_min - 1, kModCtrl},
             Combination{m_k, kModCtrl | 16}}) {
        const ProbeResult result = m_backend.Probe(combo);
        EXPECT_STREQ("failed", StateName(result.state))
            << "key " << combo.key << ", modifiers " << combo.modifiers;
        EXPECT_NE("", result.error);
    }
    EXPECT_STREQ("taken", StateName(m_backend.Probe({m_k, kModCtrl}).state));
}

TEST_F(X11CensusTest, KeysByKeysymNameAliasCharacterOrCode)
{
    const std::pair<const char*, const char*> names[] = {
        {"Escape", "Escape"},
        {"escape", "Escape"},
        {"Esc", "Escape"},
        {"PGUP", "Prior"},
        {"Page_Up", "Prior"},
        {"PgDn", "Next"},
        {"del", "Delete"},
        {"Ins", "Insert"},
        {"Space", "space"},
        {"Enter", "Return"},
        {"Plus", "plus"},
        {"+", "plus"},
        {"Minus", "minus"},
        {"f12", "F12"},
    };
    for (const auto& [typed, keysym] : names) {
        const std::optional<unsigned> expected = m_keymap->ParseKey(keysym);
        ASSERT_TRUE(expected) << keysym << " is on no key";
        EXPECT_EQ(expected, m_backend.ParseKey(typed)) << typed;
    }
    EXPECT_EQ(m_k, m_backend.ParseKey(CodeText(m_k)));
    EXPECT_EQ("k", m_backend.KeyName(m_k));
    EXPECT_EQ("Prior", m_backend.KeyName(m_backend.ParseKey("PgUp").value_or(0)));
}

TEST_F(X11CensusTest, CombinationTextsParseBackToTheirKeys)
{
    // Some keysyms sit on several keys and some keys carry none: the text of
    // every key must still name that very key.
    for (unsigned key = m_keymap->MinKeycode(); key <= m_keymap->MaxKeycode(); ++key) {
        const ProbeResult result = m_backend.Probe({key, kModCtrl | kModWin});
        const ParsedCombination parsed = ParseCombination(result.comboText, m_backend);
        ASSERT_TRUE(parsed.combo) << parsed.error;
        EXPECT_EQ(key, parsed.combo->key) << result.comboText;
        EXPECT_EQ(kModCtrl | kModWin, parsed.combo->modifiers) << result.comboText;
    }
}

TEST_F(X11CensusTest, WhoNamesTheHolderAndPressesNothing)
{
    HeldGrabs holder({{m_k, ControlMask | Mod1Mask}});
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grab";

    const CliRun run = RunCli(m_backend, {"who", "--format", "tsv", "Ctrl+Alt+k", "Ctrl+Alt+j"});
    EXPECT_EQ(kExitSuccess, run.status) << run.error;
    const std::vector<Row> rows = TsvRows(run.output);
    ASSERT_EQ(3u, rows.size()) << run.output;
    EXPECT_EQ(
        (Row{"taken", "x11", BuiltProgram("x11_key_grabber")}), (Row{rows[1][7], rows[1][8], rows[1][9]}));
    EXPECT_EQ("free", rows[2][7]);
    EXPECT_FALSE(holder.NextPress(std::chrono::milliseconds(300))) << "who pressed a key";
}

// The events of watch, as "event combination".
std::optional<std::string> NextEvent(ChildProcess& watch)
{
    const std::optional<std::string> line = watch.ReadLine(std::chrono::seconds(10));
    if (!line)
        return std::nullopt;
    const Row fields = Split(*line, '\t');
    if (fields.size() < 3)
        return *line;
    return fields[1] + " " + fields[2];
}

TEST_F(X11CensusTest, WatchSeesGrabsComeAndGo)
{
    auto held = std::make_unique<HeldGrabs>(std::vector<KeyGrab>{{m_f12, ShiftMask | Mod4Mask}});
    ASSERT_TRUE(held->Holding()) << "the helper client could not take its grab";

    // Each scan's events come out together, right after the scan: the grabs
    // change in the second between two scans.
    ChildProcess watch({"keyvane-census", "watch", "--interval", "1", "--count", "3", "--format", "tsv"});
    ASSERT_EQ(
        "time\tevent\tcombination\tkey\tcode\tctrl\talt\tshift\twin\tstate\tsource\tholder\taction\terror",
        watch.ReadLine(std::chrono::seconds(10)));
    EXPECT_EQ("present Shift+Win+F12", NextEvent(watch));

    // With two clients of one grab each, either may hold either grab: the
    // holder of Shift+Win+F12 changes as well.
    HeldGrabs added({{m_k, ControlMask | Mod1Mask}});
    ASSERT_TRUE(added.Holding()) << "the second helper client could not take its grab";
    EXPECT_EQ("disappeared Shift+Win+F12", NextEvent(watch));
    EXPECT_EQ("appeared Ctrl+Alt+k", NextEvent(watch));
    EXPECT_EQ("appeared Shift+Win+F12", NextEvent(watch));

    held.reset();
    EXPECT_EQ("disappeared Ctrl+Alt+k", NextEvent(watch));
    EXPECT_EQ("disappeared Shift+Win+F12", NextEvent(watch));
    EXPECT_EQ("appeared Ctrl+Alt+k", NextEvent(watch));

    const ChildProcess::Outcome outcome = watch.Finish();
    EXPECT_EQ(kExitSuccess, outcome.status) << outcome.error;
    EXPECT_EQ("", outcome.output) << "events after the third scan";
    ExpectShortcutStillWorks(added, m_k);
}

TEST(X11CensusWithoutDisplay, SaysWhyAndClaimsNothing)
{
    // Nor a desktop whose shortcut table the census could read instead.
    const std::vector<std::string> environment
        = EnvironmentWithout({"DISPLAY", "XDG_CURRENT_DESKTOP", "DBUS_SESSION_BUS_ADDRESS", "SWAYSOCK",
                                 "HYPRLAND_INSTANCE_SIGNATURE"},
            {"WAYLAND_DISPLAY=wayland-0"});
    const std::vector<std::vector<std::string>> commands
        = {{"list"}, {"check", "Ctrl+Alt+K"}, {"watch", "--count", "1"}, {"--format", "json"}};
    for (const std::vector<std::string>& command : commands) {
        std::vector<std::string> arguments = {"keyvane-census"};
        arguments.insert(arguments.end(), command.begin(), command.end());
        ChildProcess census(arguments, environment);
        const ChildProcess::Outcome outcome = census.Finish();
        EXPECT_EQ(kExitBadInput, outcome.status) << testing::PrintToString(command);
        EXPECT_EQ("", outcome.output) << testing::PrintToString(command);
        EXPECT_NE(std::string::npos, outcome.error.find("compositor")) << outcome.error;
    }

    ChildProcess help({"keyvane-census", "--help"}, environment);
    EXPECT_EQ(kExitSuccess, help.Finish().status) << "--help needs no display";
}

TEST(X11CensusUnderXwayland, WarnsThatTheCompositorsShortcutsAreNotSeen)
{
    ChildProcess census({"keyvane-census", "list"}, EnvironmentWithout({}, {"WAYLAND_DISPLAY=wayland-0"}));
    const ChildProcess::Outcome outcome = census.Finish();
    EXPECT_EQ(kExitSuccess, outcome.status) << outcome.error;
    EXPECT_NE(std::string::npos, outcome.error.find("compositor")) << outcome.error;
}

// keyvane-census as a process of its own, TSV output, with the environment given.
ChildProcess Census(const std::vector<std::string>& arguments,
    const std::optional<std::vector<std::string>>& environment = std::nullopt)
{
    std::vector<std::string> command = {"keyvane-census", "--format", "tsv"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return ChildProcess(command, environment);
}

TEST(X11CensusProcesses, TwoCensusesAtOnceSeeWhatOneSeesAlone)
{
    const ChildProcess::Outcome alone = Census({"list"}).Finish();
    ASSERT_EQ(kExitSuccess, alone.status) << alone.error;
    const size_t held = TsvRows(alone.output).size() - 1;
    // Scans back to back, each of which would take the other's momentary grabs
    // for held ones: they would appear and disappear.
    const std::vector<std::string> scans = {"watch", "--interval", "0", "--count", "40"};
    ChildProcess first = Census(scans);
    ChildProcess second = Census(scans);
    for (ChildProcess* census : {&first, &second}) {
        const ChildProcess::Outcome outcome = census->Finish();
        EXPECT_EQ(kExitSuccess, outcome.status) << outcome.error;
        const std::vector<Row> rows = TsvRows(outcome.output);
        ASSERT_EQ(held + 1, rows.size()) << outcome.output;
        for (size_t i = 1; i < rows.size(); ++i)
            EXPECT_EQ("present", rows[i][1]) << outcome.output;
    }
}

TEST(X11CensusProcesses, WatchEndsWhenItsReaderGoesWithNothingToPrint)
{
    // As "watch | head -1": the header is all it prints while nothing changes.
    ChildProcess watch = Census({"watch", "--interval", "0.2"});
    ASSERT_TRUE(watch.ReadLine(std::chrono::seconds(10)));
    watch.CloseOutput();
    const ChildProcess::Outcome outcome = watch.Finish(std::chrono::seconds(5));
    EXPECT_EQ(kExitBadInput, outcome.status) << outcome.error;
}

TEST(X11CensusProcesses, ALostDisplayEndsWithStatusTwoAndOneLine)
{
    PrivateDisplay display;
    ASSERT_NE("", display.Name()) << "Xvfb did not start";
    ChildProcess watch = Census({"watch", "--interval", "0.1"}, display.Environment());
    ASSERT_TRUE(watch.ReadLine(std::chrono::seconds(10)))
        << "the census could not start on " << display.Name();

    display.Stop();
    const ChildProcess::Outcome outcome = watch.Finish(std::chrono::seconds(10));
    EXPECT_EQ(kExitBadInput, outcome.status) << outcome.error;
    EXPECT_EQ(
        "keyvane-census: lost the connection to the X display \"" + display.Name() + "\"\n", outcome.error);
}

TEST(X11CensusProcesses, WatchNamesKeysAfterTheKeymapChanged)
{
    PrivateDisplay display;
    ASSERT_NE("", display.Name()) << "Xvfb did not start";
    std::unique_ptr<Display, int (*)(Display*)> client(XOpenDisplay(display.Name().c_str()), XCloseDisplay);
    ASSERT_TRUE(client);
    ChildProcess watch = Census({"watch", "--interval", "0.1"}, display.Environment());
    ASSERT_TRUE(watch.ReadLine(std::chrono::seconds(10)))
        << "the census could not start on " << display.Name();

    // The lowest keycode carries no keysym: now it gets one, then a grab.
    int lowest = 0, highest = 0;
    XDisplayKeycodes(client.get(), &lowest, &highest);
    KeySym keysym = XStringToKeysym("Thai_kokai");
    XChangeKeyboardMapping(client.get(), lowest, 1, &keysym, 1);
    XSync(client.get(), False);
    XGrabKey(client.get(), lowest, ControlMask, DefaultRootWindow(client.get()), False, GrabModeAsync,
        GrabModeAsync);
    XSync(client.get(), False);
    EXPECT_EQ("appeared Ctrl+Thai_kokai", NextEvent(watch));
    // Ends the watch; this connection must not see the display go.
    client.reset();
    display.Stop();
}

// The table names the keypad key by the keysym it has with NumLock, the grab
// by its keycode: both answer for it, however the key is named.
TEST_F(X11CensusTest, AnX11SessionOfGnomeListsTheTableBesideTheProbe)
{
    HeldGrabs holder({{Key("KP_End"), ControlMask | Mod1Mask}});
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grab";
    const GnomeKeyfile gnome("<Ctrl><Alt>KP_1");
    const std::vector<std::string> session = EnvironmentWithout(
        {"DBUS_SESSION_BUS_ADDRESS", "SWAYSOCK", "HYPRLAND_INSTANCE_SIGNATURE"}, gnome.Variables());
    for (const char* key : {"ctrl+alt+KP_End", "ctrl+alt+kp_1"}) {
        const ChildProcess::Outcome outcome = Census({"check", key}, session).Finish();
        EXPECT_EQ(kExitTaken, outcome.status) << outcome.error;
        const std::vector<Row> rows = TsvRows(outcome.output);
        ASSERT_EQ(3u, rows.size()) << outcome.output;
        EXPECT_EQ((Row{"taken", "x11", holder.Name()}), (Row{rows[1][7], rows[1][8], rows[1][9]}));
        EXPECT_EQ((Row{"taken", "gnome", "org.gnome.desktop.wm.keybindings"}),
            (Row{rows[2][7], rows[2][8], rows[2][9]}));
    }
}

// A grab and a table's shortcut of the same key share its keysym for a code,
// and so come out side by side among the table's other shortcuts.
TEST_F(X11CensusTest, AProbedKeyAndTheTablesSameKeyListTogetherByKeysym)
{
    HeldGrabs holder({{m_k, ControlMask | Mod1Mask}});
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grab";
    const GnomeKeyfile gnome("<Ctrl><Alt>k");
    const std::vector<std::string> session = EnvironmentWithout(
        {"DBUS_SESSION_BUS_ADDRESS", "SWAYSOCK", "HYPRLAND_INSTANCE_SIGNATURE"}, gnome.Variables());
    const ChildProcess::Outcome outcome = Census({"list"}, session).Finish();
    ASSERT_EQ(kExitSuccess, outcome.status) << outcome.error;

    const std::vector<Row> rows = TsvRows(outcome.output);
    // combination, key, code, source
    const auto brief = [](const Row& row) { return Row{row[0], row[1], row[2], row[8]}; };
    const auto probed = std::find_if(
        rows.begin(), rows.end(), [](const Row& row) { return row[0] == "Ctrl+Alt+k" && row[8] == "x11"; });
    ASSERT_TRUE(probed != rows.end() && probed + 1 != rows.end()) << outcome.output;
    EXPECT_EQ((Row{"Ctrl+Alt+k", "k", CodeText(XK_k), "x11"}), brief(*probed));
    EXPECT_EQ((Row{"Ctrl+Alt+k", "k", CodeText(XK_k), "gnome"}), brief(*(probed + 1)));
    // Every row of both sources, in the order of their codes.
    EXPECT_TRUE(std::is_sorted(rows.begin() + 1, rows.end(), [](const Row& a, const Row& b) {
        return std::stoul(a[2], nullptr, 16) < std::stoul(b[2], nullptr, 16);
    })) << outcome.output;
}

} // namespace
