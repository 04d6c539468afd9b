// keyvane-census who as a user runs it, against holders of the test's own,
// with real hooks and real key presses, watched from this process.
#include "census/core/Cli.h"
#include "hotkeys/who/AskHolders.h"
#include "hotkeys/who/KeyPress.h"
#include "hotkeys/who/WhoProtocol.h"
#include "census/windows/WhoQuery.h"
#include "hotkeys/who/HookModules.h"
#include "win32/WideText.h"
#include "tests/census/FormatParsers.h"
#include "tests/hotkeys/who/WhoHolderProcess.h"
#include "tests/census/WhoProgram.h"
#include "tests/hotkeys/who/WhoTestSetup.h"
#include "tests/support/HeldHotkeys.h"

#include <gtest/gtest.h>

namespace {

// Starting the program, and under Wine a helper of the other bitness, on top
// of the wait for answers.
constexpr DWORD kStartAllowanceMs = 8000;

using Target = WhoHolderProcess::Target;

const std::vector<std::string> kAnswerFields = {
    "combination", "state", "process", "executable", "window_title", "window_class", "thread", "hotkey_id"};

// The answer fields of a record, the executable by its file name.
ParsedRecord Answer(const ParsedRecord& record)
{
    ParsedRecord answer = Only(record, kAnswerFields);
    answer[3].second = FileName(answer[3].second);
    return answer;
}

ParsedRecord Named(const char* combination, const WhoHolderProcess& holder, const char* title,
    const char* windowClass, int hotkeyId)
{
    return {{"combination", combination}, {"state", "taken"}, {"process", std::to_string(holder.ProcessId())},
        {"executable", holder.ExecutableName()}, {"window_title", title}, {"window_class", windowClass},
        {"thread", std::to_string(holder.ThreadId())}, {"hotkey_id", std::to_string(hotkeyId)}};
}

ParsedRecord Free(const char* combination)
{
    return {{"combination", combination}, {"state", "free"}, {"process", ""}, {"executable", ""},
        {"window_title", ""}, {"window_class", ""}, {"thread", ""}, {"hotkey_id", ""}};
}

// Every key the tests' combinations press.
void ExpectNoKeyDown()
{
    ::ExpectNoKeyDown({VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN, kKeyK, kKeyJ, VK_F7, VK_F12, who::kMaskKey});
}

TEST(WhoCommand, NamesEachHolderPressingOnlyTakenCombinationsOnce)
{
    const WhoHolderProcess windowHolder(
        kOwnBits, Target::Window, MOD_CONTROL | MOD_ALT, kKeyK, kWindowHotkeyId);
    const WhoHolderProcess threadHolder(
        kOwnBits, Target::Thread, MOD_WIN | MOD_SHIFT, VK_F12, kThreadHotkeyId);
    ASSERT_TRUE(windowHolder.Holding()) << windowHolder.Problem();
    ASSERT_TRUE(threadHolder.Holding()) << threadHolder.Problem();
    const KeyRecorder keys;
    ASSERT_TRUE(keys.Recording());

    const ProgramRun run
        = RunCensusProgram("who --format json Ctrl+Alt+K Win+Shift+F12 Ctrl+Alt+F7 ctrl+alt+k");

    EXPECT_EQ(kExitSuccess, run.status) << run.err;
    const ParsedRecords records = ParseJson(run.out);
    ASSERT_EQ(4u, records.size()) << run.out;
    EXPECT_EQ(Named("Ctrl+Alt+K", windowHolder, "Who holder window", "KeyvaneWhoHolder", kWindowHotkeyId),
        Answer(records[0]));
    EXPECT_EQ(Named("Shift+Win+F12", threadHolder, "", "", kThreadHotkeyId), Answer(records[1]));
    EXPECT_EQ(Free("Ctrl+Alt+F7"), Answer(records[2]));
    EXPECT_EQ(Answer(records[0]), Answer(records[3]));

    EXPECT_FALSE(windowHolder.Pressed(kActWaitMs)) << "the window holder received WM_HOTKEY";
    EXPECT_FALSE(threadHolder.Pressed(0)) << "the thread holder received WM_HOTKEY";
    EXPECT_EQ(1u, keys.Presses(kKeyK)) << "Ctrl+Alt+K, asked twice, is pressed once";
    EXPECT_EQ(1u, keys.Presses(VK_F12));
    EXPECT_EQ(0u, keys.Presses(VK_F7)) << "a free combination was pressed";
    ExpectNoKeyDown();

    // Nothing stays behind: the holders get their presses again, and who answers as before.
    ASSERT_TRUE(who::SendStrokes(who::PressStrokes(VK_F12, MOD_WIN | MOD_SHIFT)));
    EXPECT_TRUE(threadHolder.Pressed(5000)) << "the thread holder missed a press after who";
    const ProgramRun again = RunCensusProgram("who Ctrl+Alt+K");
    EXPECT_EQ(kExitSuccess, again.status) << again.err;
    const ParsedRecords text = ParseAlignedText(again.out);
    ASSERT_EQ(1u, text.size()) << again.out;
    EXPECT_EQ(Named("Ctrl+Alt+K", windowHolder, "Who holder window", "KeyvaneWhoHolder", kWindowHotkeyId),
        Answer(text[0]));
    EXPECT_FALSE(windowHolder.Pressed(kActWaitMs)) << "the window holder received WM_HOTKEY";
}

TEST(WhoCommand, WithoutCombinationsNamesTheHolderOfEveryTakenOneInListOrder)
{
    const WhoHolderProcess threadHolder(
        kOwnBits, Target::Thread, MOD_WIN | MOD_SHIFT, VK_F12, kThreadHotkeyId);
    const WhoHolderProcess windowHolder(
        kOwnBits, Target::Window, MOD_CONTROL | MOD_ALT, kKeyK, kWindowHotkeyId);
    ASSERT_TRUE(windowHolder.Holding()) << windowHolder.Problem();
    ASSERT_TRUE(threadHolder.Holding()) << threadHolder.Problem();

    const ProgramRun run = RunCensusProgram("who --format tsv");

    EXPECT_EQ(kExitSuccess, run.status) << run.err;
    ParsedRecords ours;
    for (const ParsedRecord& record : ParseTsv(run.out)) {
        if (record[0].second == "Ctrl+Alt+K" || record[0].second == "Shift+Win+F12")
            ours.push_back(Answer(record));
    }
    ASSERT_EQ(2u, ours.size()) << run.out;
    EXPECT_EQ(
        Named("Ctrl+Alt+K", windowHolder, "Who holder window", "KeyvaneWhoHolder", kWindowHotkeyId), ours[0]);
    EXPECT_EQ(Named("Shift+Win+F12", threadHolder, "", "", kThreadHotkeyId), ours[1]);
    EXPECT_FALSE(windowHolder.Pressed(kActWaitMs)) << "the window holder received WM_HOTKEY";
    EXPECT_FALSE(threadHolder.Pressed(0)) << "the thread holder received WM_HOTKEY";
    ExpectNoKeyDown();
}

TEST(WhoCommand, RunsFromAFolderOutsideTheAnsiCodePageNamingAHolderThere)
{
    // "Programs" in Russian: no Western code page has these letters.
    const std::wstring folder
        = ProgramFolder() + L"\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* file : {L"keyvane-census.exe", L"keyvane-who-hook32.dll", L"keyvane-who-hook64.dll",
             L"keyvane-who-helper32.exe", L"keyvane-who-helper64.exe", L"who_holder32.exe",
             L"who_holder64.exe"}) {
        ASSERT_TRUE(::CopyFileW((ProgramFolder() + file).c_str(), (folder + file).c_str(), FALSE))
            << Utf8FromWide(file) << ": error " << ::GetLastError();
    }
    const WhoHolderProcess holder(
        kOwnBits, Target::Window, MOD_CONTROL | MOD_ALT, kKeyK, kWindowHotkeyId, folder);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();

    const ProgramRun run = RunCensusProgramIn(folder, "who --format tsv Ctrl+Alt+K");

    EXPECT_EQ(kExitSuccess, run.status) << run.out << run.err;
    const ParsedRecords records = ParseTsv(run.out);
    ASSERT_EQ(1u, records.size()) << run.out;
    EXPECT_EQ(Utf8FromWide(holder.Executable()), Only(records[0], {"executable"})[0].second);
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "the holder received WM_HOTKEY";
}

TEST(WhoCommand, HostileWindowTitleOpensNoFormulaAndReordersNoText)
{
    // Displayed with the override obeyed, it ends in "exe.txt".
    const std::string title = "=HYPERLINK(1)\xE2\x80\xAEtxt.exe";
    const WhoHolderProcess holder(
        kOwnBits, Target::Window, MOD_CONTROL | MOD_ALT, kKeyK, kWindowHotkeyId, {}, WideFromUtf8(title));
    ASSERT_TRUE(holder.Holding()) << holder.Problem();

    const ProgramRun json = RunCensusProgram("who --format json Ctrl+Alt+K");
    const ParsedRecords exact = ParseJson(json.out);
    ASSERT_EQ(1u, exact.size()) << json.out;
    EXPECT_EQ(title, Only(exact[0], {"window_title"})[0].second) << "JSON keeps the title as it is";

    for (const char* format : {"csv", "tsv"}) {
        const ProgramRun run = RunCensusProgram(std::string("who --format ") + format + " Ctrl+Alt+K");
        const ParsedRecords records = std::string(format) == "csv" ? ParseCsv(run.out) : ParseTsv(run.out);
        ASSERT_EQ(1u, records.size()) << run.out;
        for (const auto& [name, value] : records[0])
            EXPECT_NE(0u, value.find_first_of("=+-@\t\r")) << format << ": " << name << " opens a formula";
        EXPECT_NE(std::string::npos, Only(records[0], {"window_title"})[0].second.find("HYPERLINK(1)"))
            << format << ": the title is still there to read";
    }
    const ProgramRun text = RunCensusProgram("who Ctrl+Alt+K");
    EXPECT_NE(std::string::npos, text.out.find("txt.exe")) << text.out;
    EXPECT_EQ(std::string::npos, text.out.find("\xE2\x80\xAE")) << "the text form passes the override on";
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "the holder received WM_HOTKEY";
}

TEST(WhoCommand, PrintScreenIsNeverPressedButOtherHoldersAreStillNamed)
{
    const WhoHolderProcess printScreen(kOwnBits, Target::Window, 0, VK_SNAPSHOT, kWindowHotkeyId);
    const WhoHolderProcess holder(kOwnBits, Target::Thread, MOD_CONTROL | MOD_ALT, kKeyK, kThreadHotkeyId);
    ASSERT_TRUE(printScreen.Holding()) << printScreen.Problem();
    ASSERT_TRUE(holder.Holding()) << holder.Problem();
    const KeyRecorder keys;

    const ProgramRun run = RunCensusProgram("who --format json");

    EXPECT_EQ(kExitSuccess, run.status) << run.out << run.err;
    ParsedRecords snapshot;
    ParsedRecords k;
    for (const ParsedRecord& record : ParseJson(run.out)) {
        const std::string code = Only(record, {"code"})[0].second;
        if (code == "0x2c")
            snapshot.push_back(record);
        else if (code == "0x4b")
            k.push_back(record);
    }
    ASSERT_EQ(1u, k.size()) << run.out;
    EXPECT_EQ(Named("Ctrl+Alt+K", holder, "", "", kThreadHotkeyId), Answer(k[0]));
    ASSERT_LE(1u, snapshot.size()) << run.out;
    const ParsedRecord withheld = Only(snapshot[0], {"code", "state", "holder"});
    EXPECT_EQ((ParsedRecord{{"code", "0x2c"}, {"state", "not pressed"}, {"holder", "Windows"}}), withheld);
    EXPECT_NE(std::string::npos, Only(snapshot[0], {"error"})[0].second.find("Print Screen")) << run.out;
    EXPECT_EQ(0u, keys.Presses(VK_SNAPSHOT)) << "Print Screen was pressed";
    EXPECT_FALSE(printScreen.Pressed(kActWaitMs)) << "the holder of Print Screen received WM_HOTKEY";
}

// A low-level hook of this thread that swallows every injected key, as a
// remote-control client or a key remapper may.
class InjectedKeySwallower
{
public:
    InjectedKeySwallower()
        : m_hook(::SetWindowsHookExW(WH_KEYBOARD_LL, Swallow, ::GetModuleHandleW(nullptr), 0))
    {
    }
    ~InjectedKeySwallower() { ::UnhookWindowsHookEx(m_hook); }
    InjectedKeySwallower(const InjectedKeySwallower&) = delete;
    InjectedKeySwallower& operator=(const InjectedKeySwallower&) = delete;
    bool Swallowing() const { return m_hook != nullptr; }

private:
    static LRESULT CALLBACK Swallow(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && (reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->flags & LLKHF_INJECTED))
            return 1;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK m_hook;
};

TEST(WhoCommand, PressesNothingWhenItsOwnTestPressDoesNotArrive)
{
    const WhoHolderProcess holder(kOwnBits, Target::Window, MOD_CONTROL | MOD_ALT, kKeyK, kWindowHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();
    const KeyRecorder keys; // called after the swallower: it sees what gets past
    const InjectedKeySwallower swallower;
    ASSERT_TRUE(swallower.Swallowing());

    const ProgramRun run = RunCensusProgram("who --format tsv Ctrl+Alt+K");

    EXPECT_EQ(kExitBadInput, run.status) << run.out << run.err;
    EXPECT_NE(std::string::npos, run.out.find("test press")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("intercept")) << run.out;
    EXPECT_EQ(0u, keys.Presses(kKeyK)) << "Ctrl+Alt+K was pressed";
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "the holder received WM_HOTKEY";
}

TEST(WhoCommand, PressesNothingWhileAProgramNoHookReachesHoldsAnything)
{
    const std::wstring folder = ProgramFolder() + L"without-helper\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* file :
        {L"keyvane-census.exe", L"keyvane-who-hook32.dll", L"keyvane-who-hook64.dll"}) {
        ASSERT_TRUE(::CopyFileW((ProgramFolder() + file).c_str(), (folder + file).c_str(), FALSE))
            << Utf8FromWide(file) << ": error " << ::GetLastError();
    }
    const WhoHolderProcess other(kOtherBits, Target::Window, MOD_CONTROL | MOD_ALT, kKeyK, kWindowHotkeyId);
    if (!other.Holding())
        GTEST_SKIP() << kOtherBits << "-bit programs do not run here: " << other.Problem();
    const KeyRecorder keys;

    const ProgramRun run = RunCensusProgramIn(folder, "who --format tsv Ctrl+Alt+K");

    EXPECT_EQ(kExitBadInput, run.status) << run.out << run.err;
    EXPECT_NE(std::string::npos, run.out.find(std::to_string(kOtherBits) + "-bit programs run")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("nothing was pressed")) << run.out;
    EXPECT_TRUE(keys.Events().empty()) << keys.Events().size() << " key events";
    EXPECT_FALSE(other.Pressed(kActWaitMs)) << "the holder received WM_HOTKEY";
}

TEST(WhoCommand, HolderThatReadsNoMessagesIsReportedWithinTheTimeLimit)
{
    {
        const HeldHotkeys silent(std::vector<HeldHotkeys::Combination>{{MOD_CONTROL | MOD_SHIFT, kKeyJ}});
        ASSERT_TRUE(silent.Holding());

        const ProgramRun run = RunCensusProgram("who --format tsv Ctrl+Shift+J");

        EXPECT_EQ(kExitNoAnswer, run.status) << run.err;
        const ParsedRecords records = ParseTsv(run.out);
        ASSERT_EQ(1u, records.size()) << run.out;
        EXPECT_EQ((ParsedRecord{{"combination", "Ctrl+Shift+J"}, {"state", "no answer"}}),
            Only(records[0], {"combination", "state"}));
        EXPECT_EQ(0u, Only(records[0], {"error"})[0].second.find(kNoAnswerText)) << run.out;
        EXPECT_LT(run.elapsedMs, who::kAnswerWaitMs + kStartAllowanceMs);
        ExpectNoKeyDown();
    }
    // The holder is gone: the combination registers as before.
    ASSERT_TRUE(::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, kKeyJ)) << "error " << ::GetLastError();
    ::UnregisterHotKey(nullptr, 1);
}

TEST(WhoCommand, UnparsableCombinationPressesNothing)
{
    const WhoHolderProcess holder(kOwnBits, Target::Thread, MOD_CONTROL | MOD_ALT, kKeyK, kThreadHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();
    const KeyRecorder keys;

    const ProgramRun run = RunCensusProgram("who Ctrl+Alt+K Ctrl+Nothing");

    EXPECT_EQ(kExitBadInput, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_NE(std::string::npos, run.err.find("Ctrl+Nothing")) << run.err;
    EXPECT_TRUE(keys.Events().empty()) << keys.Events().size() << " key events";
}

TEST(WhoCommand, HelpStatesTheLimitsBeforeAnyoneRunsIt)
{
    const ProgramRun run = RunCensusProgram("--help");

    EXPECT_EQ(kExitSuccess, run.status);
    for (const char* limit : {"elevated", "does not read its", "may act on the press", "presses each taken"})
        EXPECT_NE(std::string::npos, run.out.find(limit)) << "no \"" << limit << "\" in\n" << run.out;
}

TEST(WhoCommand, CtrlBreakWhileWaitingUndoesEverything)
{
    const HeldHotkeys silent(std::vector<HeldHotkeys::Combination>{{MOD_CONTROL | MOD_SHIFT, kKeyJ}});
    ASSERT_TRUE(silent.Holding());
    const std::string helper = kOwnBits == 32 ? "keyvane-who-helper64.exe" : "keyvane-who-helper32.exe";
    const size_t helpersBefore = CountProcesses(helper);

    // Ctrl+Break travels through a console: a new one for this process, which the program shares.
    ::FreeConsole();
    const bool ownConsole = ::AllocConsole();
    bool breakSent = false;
    // Once the query is published, the program has its hooks in or is about to.
    const auto querying = [] {
        const HANDLE query = ::OpenFileMappingW(FILE_MAP_READ, FALSE, who::kQueryMappingName);
        if (query)
            ::CloseHandle(query);
        return query != nullptr;
    };
    const ProgramRun run = RunCensusProgram("who Ctrl+Shift+J", querying, breakSent);
    if (ownConsole)
        ::FreeConsole();
    if (!breakSent)
        GTEST_SKIP() << "this system sends no Ctrl+Break to a program of this console (Wine 8 does not)";

    EXPECT_EQ(kExitBadInput, run.status) << run.out << run.err;
    EXPECT_NE(std::string::npos, run.out.find("interrupted")) << run.out;
    EXPECT_EQ(helpersBefore, CountProcesses(helper)) << "the helper of the other bitness stayed";
    ExpectNoKeyDown();
}

} // namespace
