// The console census against hotkeys that another process really holds.
#include "census/windows/WindowsBackend.h"
#include "tests/census/CensusProgram.h"
#include "tests/census/CliRun.h"
#include "tests/census/FormatParsers.h"
#include "tests/support/HeldHotkeys.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The census of this desktop.
CliRun RunCensus(const std::vector<std::string>& args)
{
    WindowsCensusBackend backend;
    return RunCli(args, backend);
}

// keyvane-census.exe run as its own process.
CliRun RunProgram(const std::string& arguments)
{
    const ProgramRun run = RunCensusProgram(arguments);
    return {run.status, run.out, run.err};
}

// Fails for every combination but the held ones that cannot be registered now.
void ExpectNothingLeftHeld(const std::vector<HeldHotkeys::Combination>& held)
{
    int notFree = 0;
    for (UINT key = 1; key <= 255; ++key) {
        for (UINT modifiers = 0; modifiers < 16; ++modifiers) {
            bool isHeld = false;
            for (const auto& combination : held)
                isHeld = isHeld || (combination.modifiers == modifiers && combination.key == key);
            if (isHeld)
                continue;
            SetLastError(0xdeadbeef);
            if (::RegisterHotKey(nullptr, 0x7FFF, modifiers, key)) {
                ::UnregisterHotKey(nullptr, 0x7FFF);
            } else if (notFree++ == 0) {
                ADD_FAILURE() << std::hex << modifiers << ":" << key
                              << " still taken after the census, error " << std::dec << ::GetLastError();
            }
        }
    }
    EXPECT_EQ(0, notFree) << "combinations left taken";
}

ParsedRecord ListRecord(const char* combination, const char* key, const char* code, const char* modifiers)
{
    const auto flag = [&](char c) {
        return std::string(1, modifiers[c == 'C' ? 0 : c == 'A' ? 1 : c == 'S' ? 2 : 3]);
    };
    return {{"combination", combination}, {"key", key}, {"code", code}, {"ctrl", flag('C')},
        {"alt", flag('A')}, {"shift", flag('S')}, {"win", flag('W')}, {"state", "taken"},
        {"source", "registered"}, {"holder", ""}, {"action", ""}, {"error", ""}};
}

const std::vector<HeldHotkeys::Combination> kCtrlAltK = {{MOD_CONTROL | MOD_ALT, 'K'}};

const std::vector<HeldHotkeys::Combination> kHeld = {
    {MOD_CONTROL | MOD_ALT, 'K'},
    {MOD_SHIFT | MOD_WIN, VK_F12},
    {MOD_ALT, VK_OEM_COMMA},
    {MOD_CONTROL | MOD_SHIFT, VK_OEM_7},
    {0, VK_OEM_8},
    {MOD_CONTROL, 0xFF},
    {MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_WIN, 'K'},
    {0, 'K'},
};

// Lowest key first; within a key, Ctrl+Alt+Shift+Win down to the key alone.
const ParsedRecords kListed = {
    ListRecord("Ctrl+Alt+Shift+Win+K", "K", "0x4b", "1111"),
    ListRecord("Ctrl+Alt+K", "K", "0x4b", "1100"),
    ListRecord("K", "K", "0x4b", "0000"),
    ListRecord("Shift+Win+F12", "F12", "0x7b", "0011"),
    ListRecord("Alt+,<", ",<", "0xbc", "0100"),
    ListRecord("Ctrl+Shift+'\"", "'\"", "0xde", "1010"),
    ListRecord("OEM_8", "", "0xdf", "0000"),
    ListRecord("Ctrl+0xff", "<Reserved>", "0xff", "1000"),
};

TEST(WindowsCensus, ListsWhatAnotherProgramHoldsInEveryFormat)
{
    {
        HeldHotkeys holder(kHeld);
        ASSERT_TRUE(holder.Holding()) << "the helper process could not take its hotkeys";

        const CliRun tsv = RunCensus({"--format", "tsv", "--source", "registered"});
        EXPECT_EQ(kExitSuccess, tsv.status) << tsv.err;
        EXPECT_EQ(kListed, ParseTsv(tsv.out)) << tsv.out;
        EXPECT_EQ(kListed, ParseCsv(RunCensus({"list", "--format", "csv", "--source", "registered"}).out));
        EXPECT_EQ(kListed, ParseJson(RunCensus({"list", "--format=json", "--source", "registered"}).out));

        ParsedRecords textListed;
        for (const ParsedRecord& record : kListed)
            textListed.push_back(
                Only(record, {"combination", "key", "code", "state", "source", "holder", "error"}));
        const CliRun text = RunCensus({"--source", "registered"});
        EXPECT_EQ(textListed, ParseAlignedText(text.out)) << text.out;

        // Every combination listed is one that check calls taken.
        std::vector<std::string> check = {"check"};
        for (const ParsedRecord& record : kListed)
            check.push_back(record[0].second);
        const CliRun checked = RunCensus(check);
        EXPECT_EQ(kExitTaken, checked.status) << checked.err;
        for (const ParsedRecord& record : ParseAlignedText(checked.out))
            EXPECT_EQ("taken", Only(record, {"state"})[0].second) << record[0].second;

        ExpectNothingLeftHeld(kHeld);
    }
    EXPECT_EQ("Combination  Key  Code  State  Source  Holder  Error\n", RunCensus({"--source", "registered"}).out) << "nothing held";
}

TEST(WindowsCensus, CheckExitStatus)
{
    HeldHotkeys holder(kCtrlAltK);
    ASSERT_TRUE(holder.Holding()) << "the helper process could not take its hotkeys";

    EXPECT_EQ(kExitSuccess, RunCensus({"check", "Ctrl+Alt+J", "Win+Shift+F12", "Ctrl+0x4B"}).status);
    EXPECT_EQ(kExitTaken, RunCensus({"check", "Ctrl+Alt+J", "alt+ctrl+k"}).status);
    EXPECT_EQ(kExitTaken, RunCensus({"check", "Ctrl+Alt+0x4b"}).status);
    const CliRun unparsable = RunCensus({"check", "Ctrl+Alt+K", "Ctrl+Alt+Attention", "Ctrl+0x100"});
    EXPECT_EQ(kExitBadInput, unparsable.status);
    EXPECT_EQ("", unparsable.out);
    EXPECT_EQ("keyvane-census: \"Ctrl+Alt+Attention\": unknown key \"Attention\"\n"
              "keyvane-census: \"Ctrl+0x100\": unknown key \"0x100\"\n",
        unparsable.err);
    ExpectNothingLeftHeld(kCtrlAltK);
}

TEST(WindowsCensus, AFailedProbeIsReportedWithTheSystemsMessage)
{
    const ProbeResult result
        = MakeProbeResult({'K', MOD_CONTROL}, ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(ProbeResult::State::Failed, result.state);
    EXPECT_EQ("Ctrl+K", result.comboText);
    EXPECT_EQ(0u, result.error.find("error 1400: ")) << result.error;
    EXPECT_GT(result.error.size(), 12u) << "the message is missing: " << result.error;
    EXPECT_EQ(std::string::npos, result.error.find_first_of("\r\n")) << result.error;
}

// Runs an action of the test's own before each scan of the real census.
class ScriptedCensus : public WindowsCensusBackend
{
public:
    explicit ScriptedCensus(std::vector<std::function<void()>> beforeScans)
        : m_beforeScans(std::move(beforeScans))
    {
    }

    std::vector<ProbeResult> Census() override
    {
        if (m_scans < m_beforeScans.size())
            m_beforeScans[m_scans]();
        ++m_scans;
        return WindowsCensusBackend::Census();
    }

private:
    std::vector<std::function<void()>> m_beforeScans;
    size_t m_scans = 0;
};

TEST(WindowsCensus, WatchSeesACombinationTakenAndReleasedBetweenScans)
{
    const HeldHotkeys::Combination throughout = {MOD_WIN, VK_F12};
    const HeldHotkeys::Combination meanwhile = {MOD_CONTROL | MOD_ALT, 'K'};
    HeldHotkeys holder({throughout});
    ASSERT_TRUE(holder.Holding()) << "the helper process could not take its hotkeys";

    std::unique_ptr<HeldHotkeys> second;
    bool secondHolding = false;
    ScriptedCensus backend({
        [] {},
        [&] {
            second = std::make_unique<HeldHotkeys>(std::vector<HeldHotkeys::Combination>{meanwhile});
            secondHolding = second->Holding();
        },
        [] {},
        [&] { second.reset(); },
    });
    const CliRun run = RunCli({"watch", "--interval", "0", "--count", "5", "--format", "csv", "--source", "registered"}, backend);
    ASSERT_TRUE(secondHolding) << "the second helper process could not take its hotkey";
    EXPECT_EQ(kExitSuccess, run.status) << run.err;

    std::vector<std::pair<std::string, std::string>> events;
    for (const ParsedRecord& record : ParseCsv(run.out))
        events.emplace_back(record[1].second, record[2].second);
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{
                  {"present", "Win+F12"}, {"appeared", "Ctrl+Alt+K"}, {"disappeared", "Ctrl+Alt+K"}}),
        events)
        << run.out;
    ExpectNothingLeftHeld({throughout});
}

TEST(WindowsCensus, ProgramReportsThroughItsOutputAndExitStatus)
{
    HeldHotkeys holder(kCtrlAltK);
    ASSERT_TRUE(holder.Holding()) << "the helper process could not take its hotkeys";

    const CliRun taken = RunProgram("check Ctrl+Alt+K Ctrl+Alt+J");
    EXPECT_EQ(kExitTaken, taken.status) << taken.err;
    EXPECT_EQ((ParsedRecords{{{"combination", "Ctrl+Alt+K"}, {"key", "K"}, {"code", "0x4b"},
                                 {"state", "taken"}, {"source", "registered"}, {"holder", ""}, {"error", ""}},
                  {{"combination", "Ctrl+Alt+J"}, {"key", "J"}, {"code", "0x4a"}, {"state", "free"},
                      {"source", ""}, {"holder", ""}, {"error", ""}}}),
        ParseAlignedText(taken.out))
        << taken.out;

    // A key typed beyond ASCII reaches the program as wide text and comes back in UTF-8.
    const std::string typed = "\xC3\x84"; // U+00C4
    const CliRun unknown = RunProgram("check Ctrl+" + typed);
    EXPECT_EQ(kExitBadInput, unknown.status);
    EXPECT_EQ("keyvane-census: \"Ctrl+" + typed + "\": unknown key \"" + typed + "\"\r\n", unknown.err);

    const CliRun bad = RunProgram("list --format xml");
    EXPECT_EQ(kExitBadInput, bad.status);
    EXPECT_EQ("", bad.out);
    EXPECT_EQ(0u, bad.err.find("keyvane-census: unknown format \"xml\"")) << bad.err;

    ExpectNothingLeftHeld(kCtrlAltK);
}

TEST(WindowsCensus, ProgramWatchEndsWhenThePipesReaderGoes)
{
    // As "watch | more" whose reader quits, while nothing changes: the header
    // is all that watch prints.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE reader = nullptr;
    HANDLE writer = nullptr;
    ASSERT_TRUE(::CreatePipe(&reader, &writer, &inherit, 0));
    ::SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer;
    startup.hStdError = writer;
    std::string commandLine
        = "\"" + TestProgramFolder() + "keyvane-census.exe\" watch --interval 0.5 --format tsv";
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessA(
        nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    ::CloseHandle(writer);
    ASSERT_TRUE(started);
    char header[16];
    DWORD read = 0;
    EXPECT_TRUE(::ReadFile(reader, header, sizeof header, &read, nullptr));
    ::CloseHandle(reader);

    const bool ended = ::WaitForSingleObject(process.hProcess, 5000) == WAIT_OBJECT_0;
    DWORD status = 0;
    ::GetExitCodeProcess(process.hProcess, &status);
    if (!ended)
        ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    EXPECT_TRUE(ended) << "watch went on without a reader";
    EXPECT_EQ(DWORD{kExitBadInput}, status);
}

} // namespace
