#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration elapsed)
{
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

// Runs the measurements in turn, round after round, so that a busy moment of
// the machine falls on all of them alike; returns the best time of each. Other
// work on the machine only ever adds time, so the minimum is the steadiest
// estimate of the cost.
inline std::vector<double> BestOf(int rounds, const std::vector<std::function<double()>>& measurements)
{
    std::vector<double> best(measurements.size(), 1e300);
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < measurements.size(); ++i)
            best[i] = std::min(best[i], measurements[i]());
    }
    return best;
}
