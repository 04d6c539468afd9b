#pragma once

#include "census/core/Cli.h"
#include "census/core/HotkeySource.h"
#include "census/core/Output.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct WatchEvent
{
    enum class Kind
    {
        Present,  // found by the first scan
        Appeared, // found by this scan, not by the one before
        Disappeared
    };

    Kind kind;
    ProbeResult result;
};

// What changed from one scan to the next: first what disappeared, in the
// earlier scan's order, then what appeared, in the later one's. A row is
// known by its combination, source and holder; one whose state or held locks
// changed counts as both.
std::vector<WatchEvent> CompareScans(
    const std::vector<ProbeResult>& before, const std::vector<ProbeResult>& after);

// "2026-12-07T17:13:17.250Z"
std::string UtcTimestamp(std::chrono::system_clock::time_point time);

struct WatchOptions
{
    std::chrono::milliseconds interval;
    std::optional<unsigned long> scans; // until stopped when not given
    bool withLocks;
};

// Scans the sources, prints each scan's events as they come, waits the
// interval and scans again, until the number of scans is done or the output
// fails. Returns false when the wait finds that the output's reader has gone.
bool RunWatch(const std::vector<HotkeySource*>& sources, const WatchOptions& options, std::ostream& out,
    OutputFormat format, const OutputWait& wait);
