// Which X client holds each grab, told by keyvane-census from the server's
// counts, with real grabbing clients on an Xvfb of each test's own.
// GoogleTest first: Xlib's headers define None and Bool as macros.
#include <gtest/gtest.h>

#include "census/core/Cli.h"
#include "census/core/Records.h"
#include "census/x11/X11Keymap.h"
#include "tests/census/linux/GnomeKeyfile.h"
#include "tests/census/x11/PrivateDisplay.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

namespace {

using Row = std::vector<std::string>;
constexpr size_t kState = 7;
constexpr size_t kHolder = 9;

std::vector<Row> TsvRows(const std::string& output)
{
    std::vector<Row> rows;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        Row fields;
        std::istringstream parts(line + '\t');
        for (std::string field; std::getline(parts, field, '\t');)
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

// Whether the text names each of the clients, in any order: the server's.
bool Names(const std::string& text, const std::vector<std::string>& clients)
{
    return std::all_of(clients.begin(), clients.end(),
        [&](const std::string& client) { return text.find(client) != std::string::npos; });
}

class X11OwnersTest : public testing::Test
{
protected:
    explicit X11OwnersTest(const std::vector<std::string>& serverArguments = {"-nolisten", "tcp"})
        : m_display(serverArguments)
    {
    }

    void SetUp() override { ASSERT_NE("", m_display.Name()) << "Xvfb did not start"; }
    // Clients that do not read their input end with their display.
    void TearDown() override { m_display.Stop(); }

    // A grabbing client, on the display given or the test's.
    void Start(const std::vector<std::string>& command, std::vector<std::string> environment = {})
    {
        m_clients.push_back(std::make_unique<ChildProcess>(
            command, environment.empty() ? Environment() : std::move(environment)));
    }
    std::vector<std::string> Environment(const std::vector<std::string>& extra = {}) const
    {
        std::vector<std::string> environment = m_display.Environment();
        environment.insert(environment.end(), extra.begin(), extra.end());
        return environment;
    }
    std::string Config(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_folder.Path() / name) << text;
        return (m_folder.Path() / name).string();
    }
    // x11_key_grabber's argument for the combination with no lock variant.
    std::string Plain(unsigned modifiers, const char* key) const
    {
        std::unique_ptr<Display, int (*)(Display*)> display(
            XOpenDisplay(m_display.Name().c_str()), XCloseDisplay);
        std::ostringstream text;
        text << std::hex << modifiers << ':'
             << (display ? X11Keymap(display.get()).ParseKey(key).value_or(0) : 0);
        return text.str();
    }

    ChildProcess::Outcome Census(
        const std::vector<std::string>& arguments, const std::vector<std::string>& extra = {}) const
    {
        std::vector<std::string> command = {"keyvane-census", "--format", "tsv"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return ChildProcess(command, Environment(extra)).Finish();
    }

    // list's rows, header first, once the clients hold at least this many
    // combinations.
    std::vector<Row> TakenRows(size_t count, const std::vector<std::string>& arguments = {"list"}) const
    {
        std::vector<Row> rows;
        for (int attempt = 0; attempt < 100; ++attempt) {
            rows = TsvRows(Census(arguments).output);
            if (rows.size() >= count + 1)
                return rows;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ADD_FAILURE() << "fewer than " << count << " taken rows";
        return rows;
    }

    static std::string HolderOf(const std::vector<Row>& rows, const std::string& combination)
    {
        for (const Row& row : rows) {
            if (row.front() == combination)
                return row[kHolder];
        }
        return "(no row " + combination + ")";
    }

    TemporaryFolder m_folder;
    PrivateDisplay m_display;
    std::vector<std::unique_ptr<ChildProcess>> m_clients;
};

TEST_F(X11OwnersTest, TheOnlyGrabbingClientHoldsEveryRowAndWhoNamesIt)
{
    const std::filesystem::path pressed = m_folder.Path() / "pressed";
    Start({"/usr/bin/xbindkeys", "-n", "-f",
        Config(
            "xbindkeys", "\"touch " + pressed.string() + "\"\n  Control+Alt + k\n\"true\"\n  Mod4 + e\n")});
    const std::vector<Row> rows = TakenRows(2);
    const std::string holder = HolderOf(rows, "Win+e");
    EXPECT_EQ(0u, holder.rfind("xbindkeys (", 0)) << holder;
    EXPECT_EQ(holder, HolderOf(rows, "Ctrl+Alt+k"));

    const ChildProcess::Outcome who = Census({"who", "Ctrl+Alt+k", "Ctrl+Alt+j"});
    EXPECT_EQ(kExitSuccess, who.status) << who.error;
    const std::vector<Row> answers = TsvRows(who.output);
    ASSERT_EQ(3u, answers.size()) << who.output;
    EXPECT_EQ((Row{"taken", "/usr/bin/xbindkeys", holder.substr(11, holder.size() - 12)}),
        (Row{answers[1][kState], answers[1][kHolder], answers[1][11]}));
    EXPECT_EQ("free", answers[2][kState]);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(std::filesystem::exists(pressed)) << "who pressed Ctrl+Alt+k";
}

// openbox's dozens of bindings, each with its lock variants, leave the client
// with one grab its own. Another client whose bindings look alike leaves the
// counts undecided.
TEST_F(X11OwnersTest, CountsTellClientsApartWhereTheyDiffer)
{
    Start({"/usr/bin/openbox"}, Environment({"HOME=" + m_folder.Path().string()}));
    const size_t bindings = TakenRows(20).size() - 1;
    Start({"x11_key_grabber", Plain(ControlMask | Mod1Mask, "F10")});
    ASSERT_EQ("ready", m_clients.back()->ReadLine(std::chrono::seconds(10)));
    std::vector<Row> rows = TakenRows(bindings + 1);
    for (size_t i = 1; i < rows.size(); ++i) {
        const bool own = rows[i].front() == "Ctrl+Alt+F10";
        EXPECT_EQ(0u, rows[i][kHolder].rfind(own ? "x11_key_grabber (" : "openbox (", 0))
            << rows[i].front() << ": " << rows[i][kHolder];
    }
    const ChildProcess::Outcome named = Census({"who", "Ctrl+Alt+F10", "Alt+Tab"});
    EXPECT_EQ(kExitSuccess, named.status) << named.output << named.error;

    Start({"/usr/bin/xbindkeys", "-n", "-f",
        Config("xbindkeys", "\"true\"\n  Control+Alt + k\n\"true\"\n  Control+Alt + j\n")});
    rows = TakenRows(bindings + 3);
    const std::string holder = HolderOf(rows, "Ctrl+Alt+k");
    EXPECT_TRUE(holder.starts_with("one of: ") && Names(holder, {"xbindkeys (", "openbox ("})) << holder;
    EXPECT_EQ(holder, HolderOf(rows, "Alt+Tab"));
    const ChildProcess::Outcome who = Census({"who", "Ctrl+Alt+k"});
    EXPECT_EQ(kExitNoAnswer, who.status) << who.error;
    const std::vector<Row> answers = TsvRows(who.output);
    ASSERT_EQ(2u, answers.size()) << who.output;
    EXPECT_EQ((Row{"no answer", "held by " + holder}), (Row{answers[1][kState], answers[1].back()}));
}

// i3 may hold grabs besides its keys' (of buttons, once it has windows): they
// leave it a candidate for whatever it has room for.
TEST_F(X11OwnersTest, I3HoldsItsBindingsWhateverItsOtherGrabs)
{
    Start({"/usr/bin/i3", "-c", Config("i3", "bindsym Mod4+Return exec true\n")});
    TakenRows(1);
    Start({"x11_key_grabber", Plain(ControlMask | Mod1Mask, "F10")});
    ASSERT_EQ("ready", m_clients.back()->ReadLine(std::chrono::seconds(10)));
    const std::vector<Row> rows = TakenRows(2);
    EXPECT_EQ(0u, HolderOf(rows, "Win+Return").rfind("i3 (", 0)) << HolderOf(rows, "Win+Return");
    const std::string grabber = HolderOf(rows, "Ctrl+Alt+F10");
    EXPECT_TRUE(grabber.starts_with("x11_key_grabber (")
        || (grabber.starts_with("one of: ") && Names(grabber, {"i3 (", "x11_key_grabber ("})))
        << grabber;
}

// A binding that another client's plain grab left with its lock variants
// alone: the counts cannot be met by whole bindings.
TEST_F(X11OwnersTest, ABindingLeftWithItsLockVariantsSaysSo)
{
    Start({"x11_key_grabber", Plain(ControlMask | Mod1Mask, "k")});
    ASSERT_EQ("ready", m_clients.back()->ReadLine(std::chrono::seconds(10)));
    Start({"/usr/bin/xbindkeys", "-n", "-f",
        Config("xbindkeys", "\"true\"\n  Control+Alt + k\n\"true\"\n  Control+Alt + j\n")});
    const std::vector<Row> rows = TakenRows(2, {"list", "--locks"});
    const std::string holder = HolderOf(rows, "Ctrl+Alt+k");
    EXPECT_TRUE(holder.starts_with("one of: ") && Names(holder, {"x11_key_grabber (", "xbindkeys ("}))
        << holder;
    EXPECT_NE(std::string::npos, holder.find("; with a lock key on: xbindkeys (")) << holder;
    EXPECT_EQ("NumLock CapsLock NumLock+CapsLock", rows[1].back());
}

// The desktop's table names the combination; its grabbing program then holds
// it, and the other client what is left.
TEST_F(X11OwnersTest, ADesktopTableSettlesWhatTheCountsLeaveOpen)
{
    const std::filesystem::path shell = m_folder.Path() / "gnome-shell";
    std::filesystem::copy_file(BuiltProgram("x11_key_grabber"), shell);
    Start({shell.string(), Plain(ControlMask | Mod1Mask, "k")});
    Start({"x11_key_grabber", Plain(ControlMask | Mod1Mask, "j")});
    for (const std::unique_ptr<ChildProcess>& client : m_clients)
        ASSERT_EQ("ready", client->ReadLine(std::chrono::seconds(10)));
    const GnomeKeyfile gnome("<Ctrl><Alt>k");
    std::vector<std::string> session = gnome.Variables();
    session.push_back("DBUS_SESSION_BUS_ADDRESS=");
    const std::vector<Row> rows = TsvRows(Census({"list", "--source", "x11"}, session).output);
    EXPECT_EQ(0u, HolderOf(rows, "Ctrl+Alt+k").rfind("gnome-shell (", 0)) << HolderOf(rows, "Ctrl+Alt+k");
    EXPECT_EQ(0u, HolderOf(rows, "Ctrl+Alt+j").rfind("x11_key_grabber (", 0)) << HolderOf(rows, "Ctrl+Alt+j");
}

class X11OwnersOverTcpTest : public X11OwnersTest
{
protected:
    X11OwnersOverTcpTest() : X11OwnersTest({"-listen", "tcp"}) { }
};

TEST_F(X11OwnersOverTcpTest, ARemoteClientIsNamedAsSuch)
{
    Start({"x11_key_grabber", Plain(ControlMask, "k")},
        EnvironmentWithout({"DISPLAY"}, {"DISPLAY=127.0.0.1" + m_display.Name()}));
    ASSERT_EQ("ready", m_clients.back()->ReadLine(std::chrono::seconds(10)));
    const std::string holder = HolderOf(TakenRows(1), "Ctrl+k");
    EXPECT_EQ(0u, holder.rfind("remote client (0x", 0)) << holder;
}

class X11OwnersWithoutXResourceTest : public X11OwnersTest
{
protected:
    X11OwnersWithoutXResourceTest() : X11OwnersTest({"-nolisten", "tcp", "-extension", "X-Resource"}) { }
};

TEST_F(X11OwnersWithoutXResourceTest, TheRowsNameNobodyAndTheCensusSaysWhyOnce)
{
    Start({"x11_key_grabber", Plain(ControlMask, "k")});
    ASSERT_EQ("ready", m_clients.back()->ReadLine(std::chrono::seconds(10)));
    const ChildProcess::Outcome watch = Census({"watch", "--count", "2", "--interval", "0"});
    EXPECT_EQ(kExitSuccess, watch.status) << watch.error;
    const std::vector<Row> rows = TsvRows(watch.output);
    ASSERT_EQ(2u, rows.size()) << watch.output;
    // time and event come first
    EXPECT_EQ("", rows[1][kHolder + 2]);
    const size_t note = watch.error.find("X-Resource");
    EXPECT_NE(std::string::npos, note) << watch.error;
    EXPECT_EQ(std::string::npos, watch.error.find("X-Resource", note + 1)) << watch.error;
}

} // namespace
