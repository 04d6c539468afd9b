// The who engine against holders of the test's own, with real hooks and real
// key presses.
#include "hotkeys/who/AskHolders.h"
#include "hotkeys/who/KeyPress.h"
#include "hotkeys/who/WhoProtocol.h"
#include "tests/census/who/WhoHolderProcess.h"
#include "tests/census/who/WhoTestSetup.h"
#include "tests/support/HeldHotkeys.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using Target = WhoHolderProcess::Target;

void ExpectNamesWindowHolder(const std::optional<who::Holder>& holder, const WhoHolderProcess& process)
{
    ASSERT_TRUE(holder) << "no answer from " << process.ExecutableName();
    EXPECT_EQ(process.ProcessId(), holder->processId);
    EXPECT_EQ(process.ThreadId(), holder->threadId);
    EXPECT_EQ(process.ExecutableName(), FileName(holder->executable));
    EXPECT_NE(0u, holder->window);
    EXPECT_EQ("Who holder window", holder->windowTitle);
    EXPECT_EQ("KeyvaneWhoHolder", holder->windowClass);
    EXPECT_EQ(kWindowHotkeyId, holder->hotkeyId);
}

TEST(AskHolders, StopsBeforePressingWhenStopped)
{
    const WhoHolderProcess holder(kOwnBits, Target::Thread, MOD_CONTROL | MOD_ALT, kKeyK, kThreadHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();
    const HANDLE stop = ::CreateEventA(nullptr, TRUE, TRUE, nullptr);

    const who::Answers answers = who::AskHolders({{kKeyK, MOD_CONTROL | MOD_ALT}}, stop);
    ::CloseHandle(stop);

    EXPECT_TRUE(answers.interrupted);
    EXPECT_FALSE(answers.holders.at(0));
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "pressed although stopped";
}

TEST(AskHolders, StopDuringTheWaitEndsItAtOnce)
{
    const HeldHotkeys silent(std::vector<HeldHotkeys::Combination>{{MOD_CONTROL | MOD_SHIFT, kKeyJ}});
    ASSERT_TRUE(silent.Holding());
    const HANDLE stop = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // Signalled once the query is published, from another thread, as a console handler would.
    std::thread stopper([stop] {
        HANDLE query = nullptr;
        while (!(query = ::OpenFileMappingA(FILE_MAP_READ, FALSE, who::kQueryMappingName)))
            ::Sleep(1);
        ::CloseHandle(query);
        ::Sleep(50);
        ::SetEvent(stop);
    });

    const who::Answers answers = who::AskHolders({{kKeyJ, MOD_CONTROL | MOD_SHIFT}}, stop);
    stopper.join();
    ::CloseHandle(stop);

    EXPECT_TRUE(answers.interrupted) << "the wait was not cut short";
    // The helper of the other bitness, where there is one, has ended too: a
    // new query can publish itself at once.
    const HANDLE query = ::OpenFileMappingA(FILE_MAP_READ, FALSE, who::kQueryMappingName);
    EXPECT_FALSE(query) << "the query outlived its end";
    if (query)
        ::CloseHandle(query);
    ExpectNoKeyDown({VK_CONTROL, VK_SHIFT, kKeyJ});
}

TEST(AskHolders, OneQueryAtATime)
{
    // What a running query publishes, taken first.
    const HANDLE running = ::CreateFileMappingA(
        INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(who::Query), who::kQueryMappingName);
    ASSERT_TRUE(running);
    const WhoHolderProcess holder(kOwnBits, Target::Thread, MOD_CONTROL | MOD_ALT, kKeyK, kThreadHotkeyId);
    ASSERT_TRUE(holder.Holding()) << holder.Problem();

    const who::Answers answers = who::AskHolders({{kKeyK, MOD_CONTROL | MOD_ALT}}, nullptr);
    ::CloseHandle(running);

    EXPECT_NE(std::string::npos, answers.error.find("another keyvane-census who is running"))
        << answers.error;
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "pressed although the query could not run";
}

TEST(AskHolders, FindsHoldersOfTheOtherBitness)
{
    const WhoHolderProcess holder(kOtherBits, Target::Window, MOD_CONTROL | MOD_ALT, kKeyK, kWindowHotkeyId);
    if (!holder.Holding())
        GTEST_SKIP() << kOtherBits << "-bit programs do not run here: " << holder.Problem();

    const who::Answers answers = who::AskHolders({{kKeyK, MOD_CONTROL | MOD_ALT}}, nullptr);

    EXPECT_EQ("", answers.error);
    EXPECT_TRUE(answers.notes.empty()) << answers.notes.at(0);
    ExpectNamesWindowHolder(answers.holders.at(0), holder);
    EXPECT_FALSE(holder.Pressed(kActWaitMs)) << "the holder received WM_HOTKEY";
}

} // namespace
