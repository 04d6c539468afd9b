#include "census/core/Watch.h"
#include "tests/census/CliRun.h"
#include "tests/census/FakeBackend.h"
#include "tests/census/FormatParsers.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using State = ProbeResult::State;

const ProbeResult kTaken = FakeBackend::Result({'K', kModCtrl | kModAlt}, State::Taken);
const ProbeResult kFailed = FakeBackend::Result({'F', kModWin}, State::Failed, "error 5: Access is denied.");
const ProbeResult kTakenPlain = FakeBackend::Result({0xBB, 0}, State::Taken);

using Rows = std::vector<std::vector<std::string>>;

// The values of the fields named, record by record.
Rows Values(const ParsedRecords& records, const std::vector<std::string>& names)
{
    Rows rows;
    for (const ParsedRecord& record : records) {
        rows.emplace_back();
        for (const auto& field : Only(record, names))
            rows.back().push_back(field.second);
    }
    return rows;
}

ProbeResult Shortcut(Combination combo, std::string holder, std::string action = "run.exe")
{
    ProbeResult row = FakeBackend::Result(combo, State::Taken);
    row.holder = std::move(holder);
    row.action = std::move(action);
    return row;
}

TEST(Cli, BadArgumentsAreNamedWithStatusTwo)
{
    const struct
    {
        std::vector<std::string> args;
        const char* complaint;
    } cases[] = {
        {{"--bogus"}, "unknown option \"--bogus\""},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
        {{"--format"}, "--format needs a value"},
        {{"--format", "xml"}, "unknown format \"xml\""},
        {{"--format=yaml", "list"}, "unknown format \"yaml\""},
        {{"--help=yes"}, "--help takes no value"},
        {{"check"}, "check needs at least one combination"},
        {{"list", "extra"}, "list takes no argument \"extra\""},
        {{"watch", "now"}, "watch takes no argument \"now\""},
        {{"watch", "--interval", "-1"}, "--interval wants seconds"},
        {{"watch", "--interval", "soon"}, "--interval wants seconds"},
        {{"watch", "--interval", "1e9"}, "--interval wants seconds"},
        {{"watch", "--interval", "nan"}, "--interval wants seconds"},
        {{"watch", "--count", "0"}, "--count wants a whole number"},
        {{"watch", "--count", "-3"}, "--count wants a whole number"},
        {{"list", "--count", "2"}, "--interval and --count are options of watch"},
        {{"--locks"}, "--locks: this platform's hotkeys have no lock variants"},
        {{"--source", "registered,bogus"}, "unknown source \"bogus\" (registered, shortcut)"},
        {{"check", "K", "--source=registered,"}, "unknown source \"\""},
        {{"who", "K", "--source", "registered"}, "--source is an option of list, check and watch"},
    };
    for (const auto& c : cases) {
        FakeBackend backend;
        const CliRun run = RunCli(c.args, backend);
        EXPECT_EQ(kExitBadInput, run.status) << c.args.front();
        EXPECT_EQ("", run.out) << c.args.front();
        EXPECT_EQ(0u, run.err.find(std::string("keyvane-census: ") + c.complaint)) << run.err;
        EXPECT_NE(std::string::npos, run.err.find("keyvane-census --help")) << run.err;
        EXPECT_EQ(0, backend.censuses + backend.probes) << "probed in spite of " << c.args.front();
    }
}

TEST(Cli, HelpAndVersion)
{
    FakeBackend backend;
    const CliRun help = RunCli({"check", "Ctrl+Nope", "--help"}, backend);
    EXPECT_EQ(kExitSuccess, help.status);
    EXPECT_EQ(0u, help.out.find("Usage: keyvane-census")) << help.out;
    EXPECT_EQ("", help.err);

    const CliRun version = RunCli({"--version"}, backend);
    EXPECT_EQ(kExitSuccess, version.status);
    EXPECT_EQ(std::string("keyvane-census ") + KEYVANE_VERSION + "\n", version.out);
    EXPECT_EQ(0, backend.censuses + backend.probes);
}

TEST(Cli, CheckExitStatusSaysTheWorstFound)
{
    FakeBackend backend;
    backend.known = {kTaken, kFailed};
    const struct
    {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"check", "A", "Ctrl+B"}, kExitSuccess},
        {{"check", "A", "Alt+Ctrl+K"}, kExitTaken},
        {{"check", "Win+F", "Ctrl+Alt+K"}, kExitBadInput},
        {{"check", "Ctrl+Alt+K", "Win+F"}, kExitBadInput},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.args, backend);
        EXPECT_EQ(c.status, run.status) << c.args[1] << " " << c.args[2];
        EXPECT_EQ("", run.err);
    }
}

TEST(Cli, CheckReportsEachCombinationInTheOrderGiven)
{
    FakeBackend backend;
    backend.known = {kTaken, kFailed};
    const CliRun run = RunCli({"--format", "tsv", "check", "win+F", "A", "ctrl+alt+K"}, backend);
    ASSERT_EQ(kExitBadInput, run.status) << run.err;
    const ParsedRecords records = ParseTsv(run.out);
    ASSERT_EQ(3u, records.size()) << run.out;
    const std::vector<std::string> fields = {"combination", "state", "error"};
    EXPECT_EQ((ParsedRecord{
                  {"combination", "Win+F"}, {"state", "failed"}, {"error", "error 5: Access is denied."}}),
        Only(records[0], fields));
    EXPECT_EQ(
        (ParsedRecord{{"combination", "A"}, {"state", "free"}, {"error", ""}}), Only(records[1], fields));
    EXPECT_EQ((ParsedRecord{{"combination", "Ctrl+Alt+K"}, {"state", "taken"}, {"error", ""}}),
        Only(records[2], fields));
}

TEST(Cli, UnparsableCombinationsAreAllNamedAndNothingIsProbed)
{
    FakeBackend backend;
    const CliRun run = RunCli({"check", "Ctrl+Alt+K", "Ctrl+Nope", "Shift+", "B"}, backend);
    EXPECT_EQ(kExitBadInput, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("keyvane-census: \"Ctrl+Nope\": unknown key \"Nope\"\n"
              "keyvane-census: \"Shift+\": no key\n",
        run.err);
    EXPECT_EQ(0, backend.probes);
}

TEST(Cli, OptionsGoAnywhereAndDoubleDashEndsThem)
{
    FakeBackend backend;
    backend.known = {kTakenPlain};
    const CliRun run = RunCli({"check", "--format=csv", "--", "+="}, backend);
    EXPECT_EQ(kExitTaken, run.status) << run.err;
    const ParsedRecords records = ParseCsv(run.out);
    ASSERT_EQ(1u, records.size()) << run.out;
    // A spreadsheet would take "+=" for the start of a formula.
    EXPECT_EQ((ParsedRecord{{"combination", "'+="}, {"state", "taken"}}),
        Only(records[0], {"combination", "state"}));
}

TEST(Cli, ListReportsFailuresWithTheirErrorInEveryFormat)
{
    FakeBackend backend;
    backend.scans = {{kFailed, kTaken, kTakenPlain}};
    const ParsedRecords expected = {
        {{"combination", "Win+F"}, {"key", "F"}, {"code", "0x46"}, {"ctrl", "0"}, {"alt", "0"},
            {"shift", "0"}, {"win", "1"}, {"state", "failed"}, {"source", "registered"}, {"holder", ""},
            {"action", ""}, {"error", "error 5: Access is denied."}},
        {{"combination", "Ctrl+Alt+K"}, {"key", "K"}, {"code", "0x4b"}, {"ctrl", "1"}, {"alt", "1"},
            {"shift", "0"}, {"win", "0"}, {"state", "taken"}, {"source", "registered"}, {"holder", ""},
            {"action", ""}, {"error", ""}},
        {{"combination", "+="}, {"key", "+="}, {"code", "0xbb"}, {"ctrl", "0"}, {"alt", "0"}, {"shift", "0"},
            {"win", "0"}, {"state", "taken"}, {"source", "registered"}, {"holder", ""}, {"action", ""},
            {"error", ""}},
    };
    ParsedRecords spreadsheetExpected = expected;
    spreadsheetExpected[2][0].second = spreadsheetExpected[2][1].second = "'+=";
    const CliRun tsv = RunCli({"--format", "tsv"}, backend);
    EXPECT_EQ(kExitSuccess, tsv.status) << tsv.err;
    EXPECT_EQ(spreadsheetExpected, ParseTsv(tsv.out));
    EXPECT_EQ(spreadsheetExpected, ParseCsv(RunCli({"list", "--format", "csv"}, backend).out));
    EXPECT_EQ(expected, ParseJson(RunCli({"list", "--format", "json"}, backend).out));

    ParsedRecords textExpected;
    for (const ParsedRecord& record : expected)
        textExpected.push_back(
            Only(record, {"combination", "key", "code", "state", "source", "holder", "error"}));
    EXPECT_EQ(textExpected, ParseAlignedText(RunCli({"list"}, backend).out));
}

TEST(Cli, ListMergesTheSourcesInTheDialogsOrder)
{
    FakeBackend backend;
    backend.scans = {{kTaken, kTakenPlain}};
    backend.table.rows = {Shortcut({'K', kModCtrl | kModAlt}, "C:\\K.lnk", "\"C:\\Program Files\\k.exe\" -x"),
        Shortcut({'A', 0}, "C:\\A.lnk")};
    EXPECT_EQ((Rows{{"A", "shortcut", "C:\\A.lnk", "run.exe"}, {"Ctrl+Alt+K", "registered", "", ""},
                  {"Ctrl+Alt+K", "shortcut", "C:\\K.lnk", "\"C:\\Program Files\\k.exe\" -x"},
                  {"+=", "registered", "", ""}}),
        Values(ParseJson(RunCli({"--format", "json"}, backend).out),
            {"combination", "source", "holder", "action"}));

    const int censuses = backend.censuses;
    const CliRun shortcuts = RunCli({"list", "--source", "shortcut", "--format", "tsv"}, backend);
    EXPECT_EQ(2u, ParseTsv(shortcuts.out).size()) << shortcuts.out;
    EXPECT_EQ(censuses, backend.censuses) << "the probe was asked although not named";
}

TEST(Cli, CheckPrintsOneLinePerSourceThatHoldsACombination)
{
    FakeBackend backend;
    backend.known = {kTaken};
    backend.table.rows = {Shortcut({'K', kModCtrl | kModAlt}, "C:\\one.lnk"),
        Shortcut({'K', kModCtrl | kModAlt}, "C:\\two.lnk"), Shortcut({'B', 0}, "C:\\B.lnk")};
    EXPECT_EQ(
        (Rows{{"Ctrl+Alt+K", "taken", "registered", ""}, {"Ctrl+Alt+K", "taken", "shortcut", "C:\\one.lnk"},
            {"Ctrl+Alt+K", "taken", "shortcut", "C:\\two.lnk"}, {"A", "free", "", ""}}),
        Values(ParseTsv(RunCli({"check", "--format=tsv", "Ctrl+Alt+K", "A"}, backend).out),
            {"combination", "state", "source", "holder"}));
    EXPECT_EQ(kExitTaken, RunCli({"check", "B"}, backend).status) << "held by a shortcut alone";

    const int probes = backend.probes;
    EXPECT_EQ(kExitSuccess, RunCli({"check", "--source", "shortcut", "A"}, backend).status);
    EXPECT_EQ(probes, backend.probes) << "the probe was asked although not named";
    EXPECT_EQ(kExitSuccess, RunCli({"check", "--source", "registered", "B"}, backend).status);
}

TEST(Cli, LocksAreReportedWhereThePlatformHasThem)
{
    FakeBackend backend;
    backend.hasLocks = true;
    ProbeResult withLocks = kTaken;
    withLocks.locks = {"NumLock", "CapsLock"};
    backend.scans = {{withLocks}};
    const CliRun run = RunCli({"--locks", "--format", "json"}, backend);
    EXPECT_EQ(kExitSuccess, run.status) << run.err;
    const ParsedRecords records = ParseJson(run.out);
    ASSERT_EQ(1u, records.size()) << run.out;
    EXPECT_EQ((ParsedRecord{{"locks", "NumLock CapsLock"}}), Only(records[0], {"locks"}));
    EXPECT_TRUE(Only(ParseJson(RunCli({"--format", "json"}, backend).out)[0], {"locks"}).empty())
        << "locks only when asked for";
}

TEST(Cli, AFailedCensusIsReportedWithStatusTwo)
{
    FakeBackend backend;
    backend.failWholeCensus = true;
    const CliRun run = RunCli({"list"}, backend);
    EXPECT_EQ(kExitBadInput, run.status);
    EXPECT_EQ("keyvane-census: the display went away\n", run.err);
}

TEST(Cli, WhoStatusAndPlatformsWithoutIt)
{
    FakeBackend backend;
    const CliRun unavailable = RunCli({"who", "Ctrl+Alt+K"}, backend);
    EXPECT_EQ(kExitBadInput, unavailable.status);
    EXPECT_EQ("keyvane-census: who is not available on this platform\n", unavailable.err);

    WhoResult named{{'K', kModCtrl}, WhoResult::State::Named, {}, "K", "Ctrl+K", 42, "C:\\holder.exe",
        "Holder", "HolderClass", 7, 3};
    WhoResult silent = named;
    silent.state = WhoResult::State::NoAnswer;
    backend.whoAnswers = {{named}};
    const CliRun answered = RunCli({"who", "--format", "json", "Ctrl+K"}, backend);
    EXPECT_EQ(kExitSuccess, answered.status) << answered.err;
    const ParsedRecords records = ParseJson(answered.out);
    ASSERT_EQ(1u, records.size()) << answered.out;
    EXPECT_EQ((ParsedRecord{{"state", "taken"}, {"source", "registered"}, {"holder", "C:\\holder.exe"},
                  {"process", "42"}, {"executable", "C:\\holder.exe"}, {"window_title", "Holder"},
                  {"window_class", "HolderClass"}, {"thread", "7"}, {"hotkey_id", "3"}}),
        Only(records[0],
            {"state", "source", "holder", "process", "executable", "window_title", "window_class", "thread",
                "hotkey_id"}));

    backend.whoAnswers = {{named, silent}};
    EXPECT_EQ(kExitNoAnswer, RunCli({"who", "Ctrl+K", "Ctrl+K"}, backend).status);
    WhoResult claimed = named;
    claimed.state = WhoResult::State::Conflict;
    backend.whoAnswers = {{claimed, claimed}};
    const CliRun conflict = RunCli({"who", "--format", "tsv", "Ctrl+K"}, backend);
    EXPECT_EQ(kExitNoAnswer, conflict.status);
    EXPECT_EQ("conflict", Only(ParseTsv(conflict.out).at(1), {"state"})[0].second) << conflict.out;
}

TEST(Cli, WhoWithoutCombinationsAsksForEveryTakenOneInListOrder)
{
    FakeBackend backend;
    backend.whoAnswers = std::vector<WhoResult>{};
    backend.scans = {{kTakenPlain, FakeBackend::Result({'Q', kModCtrl}, State::Failed, "error 5"), kTaken}};
    EXPECT_EQ(kExitSuccess, RunCli({"who"}, backend).status);
    EXPECT_EQ((std::vector<Combination>{kTaken.combo, kTakenPlain.combo}), backend.whoAsked);
}

TEST(Watch, ReportsWhatAppearedAndDisappearedScanByScan)
{
    FakeBackend backend;
    ProbeResult nowFailed = kTaken;
    nowFailed.state = State::Failed;
    nowFailed.error = "error 5";
    backend.scans
        = {{kTaken}, {kTaken, kTakenPlain}, {kTakenPlain, kTaken}, {nowFailed, kTakenPlain}, {kTakenPlain}};
    const CliRun run = RunCli({"watch", "--interval", "0", "--count", "5", "--format", "tsv"}, backend);
    EXPECT_EQ(kExitSuccess, run.status) << run.err;
    EXPECT_EQ(5, backend.censuses);

    const ParsedRecords records = ParseTsv(run.out);
    std::vector<std::vector<std::string>> events;
    for (const ParsedRecord& record : records) {
        EXPECT_EQ("time", record[0].first);
        EXPECT_EQ(24u, record[0].second.size()) << "time " << record[0].second;
        events.push_back({record[1].second, record[2].second, record[9].second});
    }
    EXPECT_EQ((std::vector<std::vector<std::string>>{
                  {"present", "Ctrl+Alt+K", "taken"},
                  {"appeared", "'+=", "taken"},
                  // Another order alone is no change; another state is.
                  {"disappeared", "Ctrl+Alt+K", "taken"},
                  {"appeared", "Ctrl+Alt+K", "failed"},
                  {"disappeared", "Ctrl+Alt+K", "failed"},
              }),
        events);
}

TEST(Watch, KnowsARowByItsCombinationSourceAndHolder)
{
    ProbeResult registered = kTaken;
    registered.source = "registered";
    ProbeResult one = Shortcut(kTaken.combo, "C:\\one.lnk", "a.exe");
    one.source = "shortcut";
    ProbeResult retargeted = one;
    retargeted.action = "b.exe";
    ProbeResult two = one;
    two.holder = "C:\\two.lnk";
    const std::vector<WatchEvent> events = CompareScans({registered, one}, {retargeted, two});
    ASSERT_EQ(2u, events.size());
    EXPECT_EQ(WatchEvent::Kind::Disappeared, events[0].kind);
    EXPECT_EQ("registered", events[0].result.source);
    EXPECT_EQ(WatchEvent::Kind::Appeared, events[1].kind);
    EXPECT_EQ("C:\\two.lnk", events[1].result.holder);
}

TEST(Watch, StopsAfterTheScansAskedFor)
{
    FakeBackend backend;
    EXPECT_EQ(kExitSuccess, RunCli({"watch", "--count=1", "--interval=0.001"}, backend).status);
    EXPECT_EQ(1, backend.censuses);
}

TEST(Watch, EndsWhenItsOutputFails)
{
    FakeBackend backend;
    backend.scans = {{kTaken}, {}};
    // Takes nothing, as a pipe whose reader has gone.
    struct ClosedPipe : std::streambuf
    {
        int overflow(int) override { return traits_type::eof(); }
    } pipe;
    std::ostream out(&pipe);
    std::ostringstream err;
    EXPECT_EQ(kExitBadInput, RunCensusCli({"watch", "--interval", "0"}, backend, out, err));
    EXPECT_EQ(1, backend.censuses);
    EXPECT_EQ("keyvane-census: the output could not be written\n", err.str());

    // With nothing to print, the wait between scans is what notices.
    FakeBackend quiet;
    std::ostringstream quietOut, quietErr;
    const auto readerGone = [](std::chrono::milliseconds) { return false; };
    EXPECT_EQ(kExitBadInput, RunCensusCli({"watch"}, quiet, quietOut, quietErr, readerGone));
    EXPECT_EQ(1, quiet.censuses);
}

TEST(Watch, TimestampsAreUtcWithMilliseconds)
{
    using namespace std::chrono;
    const sys_days day = year(2026) / December / 7;
    EXPECT_EQ("2026-12-07T17:03:09.045Z",
        UtcTimestamp(day + hours(17) + minutes(3) + seconds(9) + milliseconds(45)));
    EXPECT_EQ("1970-01-01T00:00:00.000Z", UtcTimestamp(system_clock::time_point()));
}

} // namespace
