#pragma once

#include "census/core/CensusBackend.h"

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Exit statuses of the console census.
constexpr int kExitSuccess = 0;  // done; for check and who: every combination free or answered
constexpr int kExitTaken = 1;    // check: some combination is taken
constexpr int kExitBadInput = 2; // a bad argument, a combination that cannot be parsed or probed, lost output
constexpr int kExitNoAnswer = 3; // who: some taken combination got no answer, or conflicting ones

// Waits up to the time given; returns false, as soon as it is known, when the
// output's reader has gone. watch waits so between its scans, to end when
// nobody reads it any more even while it has nothing to print.
using OutputWait = std::function<bool(std::chrono::milliseconds)>;

// Sleeps through the time: for output that cannot tell.
bool SleepThrough(std::chrono::milliseconds time);

// Runs the console census with its arguments (without the program name):
//
//   list                                   (the default)
//   check COMBO...
//   watch [--interval SECONDS] [--count N]
//   who [COMBO...]
//
// with the options --format text|tsv|csv|json, --locks, --help and --version.
// Results go to out, complaints to err; returns the exit status.
int RunCensusCli(const std::vector<std::string>& args, CensusBackend& backend, std::ostream& out,
    std::ostream& err, const OutputWait& wait = SleepThrough);
