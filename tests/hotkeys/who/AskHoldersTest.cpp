// The who engine against holders of the test's own, with real hooks and real
// key presses.
#include "hotkeys/who/AskHolders.h"
#include "hotkeys/who/KeyPress.h"
#include "hotkeys/who/WhoProtocol.h"
#include "tests/hotkeys/who/WhoHolderProcess.h"
#include "tests/hotkeys/who/WhoTestSetup.h"
#include "tests/support/HeldHotkeys.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using Target = WhoHolderProcess::Target;

constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT;
constexpr UINT kCtrlShift = MOD_CONTROL | MOD_SHIFT;

void ExpectNamesWindowHolder(const who::Answer& answer, const WhoHolderProcess& process)
{
    ASSERT_EQ(1u, answer.holders.size()) << "answers from " << process.ExecutableName();
    const who::Holder& holder = answer.holders[0];
    EXPECT_EQ(process.ProcessId(), holder.processId);
    EXPECT_EQ(process.ThreadId(), holder.threadId);
    EXPECT_EQ(process.Executable(), holder.executable);
    EXPECT_NE(0u, holder.window);
    EXPECT_EQ(L"Who holder window", holder.windowTitle);
    EXPECT_EQ(L"KeyvaneWhoHolder", holder.windowClass);
    EXPECT_EQ(kWindowHotkeyId, holder.hotkeyId);
}

bool QueryPublished()
{
    const HANDLE query = ::OpenFileMappingW(FILE_MAP_READ, FALSE, who::kQueryMappingName);
    if (query)
        ::CloseHandle(query);
    return query != nullptr;
}

// The query as published, once it is.
who::Query AwaitQuery()
{
    who::Query query{};
    for (; query.reportWindow == 0; ::Sleep(1)) {
        const HANDLE mapping = ::OpenFileMappingW(FILE_MAP_READ, FALSE, who::kQueryMappingName);
        if (!mapping)
            continue;
        if (const void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof query)) {
            query = *static_cast<const who::Query*>(view);
            ::UnmapViewOfFile(view);
        }
        ::CloseHandle(mapping);
    }
    return query;
}

TEST(AskHolders, StopsBeforePressingWhenStopped)
{
    const WhoHolderProcess holder(kOwnBits, Target::Thread, kCtrlAlt, kKeyK, kThreadHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();
    const HANDLE stop = ::CreateEventA(nullptr, TRUE, TRUE, nullptr);

    const who::Answers answers = who::AskHolders({{kKeyK, kCtrlAlt}}, stop);
    ::CloseHandle(stop);

    EXPECT_TRUE(answers.interrupted);
    EXPECT_TRUE(answers.each.at(0).holders.empty());
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "pressed although stopped";
}

TEST(AskHolders, StopDuringTheWaitEndsItAtOnce)
{
    const HeldHotkeys silent(std::vector<HeldHotkeys::Combination>{{kCtrlShift, kKeyJ}});
    ASSERT_TRUE(silent.Holding());
    const HANDLE stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // Signalled once the query is published, from another thread, as a console handler would.
    std::thread stopper([stop] {
        AwaitQuery();
        ::Sleep(50);
        ::SetEvent(stop);
    });

    const who::Answers answers = who::AskHolders({{kKeyJ, kCtrlShift}}, stop);
    stopper.join();
    ::CloseHandle(stop);

    EXPECT_TRUE(answers.interrupted) << "the wait was not cut short";
    // The helper of the other bitness, where there is one, has ended too: a
    // new query can publish itself at once.
    EXPECT_FALSE(QueryPublished()) << "the query outlived its end";
    ExpectNoKeyDown({VK_CONTROL, VK_SHIFT, kKeyJ});
}

TEST(AskHolders, TellsAnotherQueryFromAProgramThatTookItsName)
{
    const HeldHotkeys silent(std::vector<HeldHotkeys::Combination>{{kCtrlShift, kKeyJ}});
    ASSERT_TRUE(silent.Holding());
    const WhoHolderProcess holder(kOwnBits, Target::Thread, kCtrlAlt, kKeyK, kThreadHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();
    std::string second;
    std::thread running([] { who::AskHolders({{kKeyJ, kCtrlShift}}, nullptr); });
    AwaitQuery();
    second = who::AskHolders({{kKeyK, kCtrlAlt}}, nullptr).error;
    running.join();
    EXPECT_NE(std::string::npos, second.find("another who query is running")) << second;

    // A mapping of that name that no query published.
    const HANDLE squatter = ::CreateFileMappingW(
        INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(who::Query), who::kQueryMappingName);
    ASSERT_TRUE(squatter);
    const std::string error = who::AskHolders({{kKeyK, kCtrlAlt}}, nullptr).error;
    ::CloseHandle(squatter);
    EXPECT_NE(std::string::npos, error.find("another program holds the name")) << error;
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "pressed although the query could not run";
}

TEST(AskHolders, FindsHoldersOfTheOtherBitness)
{
    const WhoHolderProcess holder(kOtherBits, Target::Window, kCtrlAlt, kKeyK, kWindowHotkeyId);
    if (!holder.Holding())
        GTEST_SKIP() << kOtherBits << "-bit programs do not run here: " << holder.Problem();

    const who::Answers answers = who::AskHolders({{kKeyK, kCtrlAlt}}, nullptr);

    EXPECT_EQ("", answers.error);
    ExpectNamesWindowHolder(answers.each.at(0), holder);
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "the holder received WM_HOTKEY";
}

TEST(AskHolders, BothPressesOfALockKeyCombinationAreKeptFromItsHolder)
{
    const WhoHolderProcess holder(kOwnBits, Target::Window, kCtrlAlt, VK_SCROLL, kWindowHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();

    const who::Answers answers = who::AskHolders({{VK_SCROLL, kCtrlAlt}}, nullptr);

    EXPECT_EQ("", answers.error);
    ExpectNamesWindowHolder(answers.each.at(0), holder);
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "the holder received one of the two presses";
}

TEST(AskHolders, TheSystemsOwnCombinationsAreWithheldWhoeverHoldsThem)
{
    // The debugger's key may be set to another; Pause here.
    HKEY aeDebug = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
        ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug", 0,
            nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &aeDebug, nullptr));
    const DWORD pause = VK_PAUSE;
    ::RegSetValueExW(
        aeDebug, L"UserDebuggerHotKey", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&pause), sizeof pause);
    const bool shiftPause = who::SystemWithholds(VK_PAUSE, MOD_SHIFT | MOD_NOREPEAT).has_value();
    const bool ctrlPause = who::SystemWithholds(VK_PAUSE, MOD_CONTROL).has_value();
    ::RegDeleteValueW(aeDebug, L"UserDebuggerHotKey");
    ::RegCloseKey(aeDebug);
    EXPECT_TRUE(shiftPause) << "Shift and the debugger's key";
    EXPECT_FALSE(ctrlPause) << "Ctrl and the debugger's key";

    const WhoHolderProcess holder(kOwnBits, Target::Window, MOD_WIN, 'L', kWindowHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();
    const who::Answers answers = who::AskHolders({{'L', MOD_WIN}, {VK_RWIN, kCtrlAlt}}, nullptr);
    ASSERT_TRUE(answers.each.at(0).withheld.has_value());
    EXPECT_EQ("Windows", answers.each.at(0).withheld->holder);
    EXPECT_TRUE(answers.each.at(1).withheld.has_value()) << "a modifier as the key";
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "Win+L was pressed";
    EXPECT_EQ(1u, who::PressesAmong({{'L', MOD_WIN}, {kKeyK, kCtrlAlt}, {kKeyK, kCtrlAlt}}));
}

int g_ticks = 0;
void CALLBACK NoteTick(HWND, UINT, UINT_PTR, DWORD) { ++g_ticks; }

// Another program of the desktop (here a thread of the test) that claims the
// combination too, and sends a flood of reports, well-formed or not.
void Forge(DWORD holderProcess, DWORD holderThread)
{
    const who::Query query = AwaitQuery();
    const auto window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(query.reportWindow));
    who::Report report{who::kProtocolVersion, holderProcess, ::GetCurrentThreadId(), kWindowHotkeyId, 0,
        static_cast<std::uint32_t>(MAKELONG(kCtrlAlt, kKeyK)), 0};
    COPYDATASTRUCT data{who::kReportTag, sizeof report, &report};
    const auto send = [&] { ::SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)); };
    send(); // the holder's process with a thread of another
    report.processId = ::GetCurrentProcessId();
    report.threadId = holderThread;
    send(); // the holder's thread in another process
    report.threadId = ::GetCurrentThreadId();
    report.window = reinterpret_cast<std::uintptr_t>(::GetDesktopWindow());
    send(); // another thread's window
    report.window = 0;
    report.hotkeyId = 99;
    for (int i = 0; i < 500; ++i)
        send(); // a claim of its own, over and over
}

TEST(AskHolders, ForgedReportsAndAFloodNeitherEndTheWaitNorHideTheHolder)
{
    const WhoHolderProcess holder(kOwnBits, Target::Window, kCtrlAlt, kKeyK, kWindowHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();
    const HeldHotkeys silent(std::vector<HeldHotkeys::Combination>{{kCtrlShift, kKeyJ}});
    ASSERT_TRUE(silent.Holding());
    std::thread forger(Forge, holder.ProcessId(), holder.ThreadId());
    // This thread's own messages go on while it waits, a WM_QUIT among them.
    g_ticks = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, NoteTick);
    ::PostQuitMessage(7);

    const ULONGLONG start = ::GetTickCount64();
    const who::Answers answers = who::AskHolders({{kKeyK, kCtrlAlt}, {kKeyJ, kCtrlShift}}, nullptr);
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    forger.join();
    ::KillTimer(nullptr, timer);

    // Ctrl+Shift+J never answers: only the whole wait can end the query.
    EXPECT_GE(elapsed, who::kAnswerWaitMs) << "the flood for one combination ended the wait";
    EXPECT_TRUE(answers.each.at(1).holders.empty());
    const std::vector<who::Holder>& claims = answers.each.at(0).holders;
    ASSERT_EQ(2u, claims.size()) << "the holder and the forger, each once";
    const bool holderFirst = claims[0].processId == holder.ProcessId();
    ExpectNamesWindowHolder({{claims[holderFirst ? 0 : 1]}, false, {}, {}}, holder);
    EXPECT_EQ(::GetCurrentProcessId(), claims[holderFirst ? 1 : 0].processId);
    EXPECT_EQ(99, claims[holderFirst ? 1 : 0].hotkeyId);
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "the holder received WM_HOTKEY";

    EXPECT_GT(g_ticks, 0) << "the thread's messages waited";
    MSG quit;
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT was lost";
    EXPECT_EQ(7u, quit.wParam);
}

TEST(AskHolders, NoPressWhileTheUserHoldsAModifierNorOfACombinationThatWentFree)
{
    const WhoHolderProcess holder(kOwnBits, Target::Thread, kCtrlAlt, kKeyK, kThreadHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();
    ASSERT_TRUE(who::SendStrokes({{VK_RSHIFT, false}}));
    const who::Answers held = who::AskHolders({{kKeyK, kCtrlAlt}}, nullptr);
    who::SendStrokes({{VK_RSHIFT, true}});
    EXPECT_NE(std::string::npos, held.each.at(0).failure.find("Shift is held down"))
        << held.each.at(0).failure;
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "pressed while Shift was held";

    // Nobody holds Ctrl+Shift+F7 any more.
    const who::Answers free = who::AskHolders({{VK_F7, kCtrlShift}}, nullptr);
    EXPECT_TRUE(free.each.at(0).becameFree);
    EXPECT_EQ("", free.each.at(0).failure);
    ExpectNoKeyDown({VK_CONTROL, VK_SHIFT, VK_RSHIFT, VK_F7});
}

} // namespace
