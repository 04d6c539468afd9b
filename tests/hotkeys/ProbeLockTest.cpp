// Probes of ours that run at once must not see each other's momentary
// registrations.
#include "hotkeys/HotkeyProbe.h"
#include "hotkeys/ProbeLock.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

namespace {

using Found = std::vector<std::pair<int, UINT>>;

Found ProbeAll()
{
    Found found;
    for (const UnavailableHotkey& hotkey : ProbeAllCombinations())
        found.emplace_back(hotkey.keyCode, HotkeyModifiers(*hotkey.combo));
    return found;
}

TEST(ProbeLock, TwoCensusesAtOnceSeeWhatOneSeesAlone)
{
    // Hotkeys belong to the thread that registers them: two threads probe
    // as two programs would.
    const Found alone = ProbeAll();
    for (int round = 0; round < 3; ++round) {
        Found other;
        std::thread second([&] { other = ProbeAll(); });
        const Found first = ProbeAll();
        second.join();
        EXPECT_EQ(alone, first) << "round " << round;
        EXPECT_EQ(alone, other) << "round " << round;
    }
}

TEST(ProbeLock, OneThreadMayTakeItAgain)
{
    const ProbeLock outer;
    const ProbeLock inner;
    EXPECT_NE(ProbeOutcome::State::Failed, ProbeCombination('K', MOD_CONTROL | MOD_ALT | MOD_SHIFT).state);
}

} // namespace
