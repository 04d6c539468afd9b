#pragma once

#include "census/core/Combination.h"
#include "hotkeys/who/NeverPressed.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace who {

// How long the query waits for holders to answer once the keys are pressed.
constexpr DWORD kAnswerWaitMs = 1000;
// How long a modifier the user holds may take to come up before a press.
constexpr DWORD kModifierReleaseWaitMs = 1000;
// How long the test press of a combination of our own may take to arrive.
constexpr DWORD kCanaryWaitMs = 1000;

// A program that says it took an asked press off its queue.
struct Holder
{
    DWORD processId;
    DWORD threadId;
    // Found from the process id by the query; empty where the process may not be asked.
    std::wstring executable;
    // Null for a hotkey registered for a thread rather than a window.
    std::uint64_t window;
    std::wstring windowTitle;
    std::wstring windowClass;
    int hotkeyId;
};

// What became of one asked combination.
struct Answer
{
    // Each differing claim to have taken the press: more than one is a
    // conflict, which no program can settle. Empty where no program answered.
    std::vector<Holder> holders;
    // Probed again just before its press and found free: never pressed.
    bool becameFree = false;
    // Why it was not pressed (UTF-8); empty when it was, or became free.
    std::string failure;
    // Set for a combination the system acts on: never pressed, whoever holds it.
    std::optional<Withheld> withheld;
};

struct Answers
{
    // One per asked combination, in the order asked.
    std::vector<Answer> each;
    // Set when the query could not be made at all: nothing was pressed.
    std::string error;
    // The stop event ended the query early.
    bool interrupted = false;
};

// Presses each combination once, each of which another program holds, and
// names the programs whose threads take the presses off their queues, without
// letting them act on them. Hooks every thread of the desktop meanwhile, of
// both bitnesses where the system runs both; the hooks are gone on return.
// Presses nothing the system withholds (SystemWithholds), and nothing at all
// where the hooks cannot reach every program of the desktop, where a test
// press of a combination of its own does not arrive, or where it runs
// elevated from a folder others may write to: then the error says why. Each
// combination is probed again just before its press, and one that has become
// free is not pressed; no press is made while the user holds a modifier, and
// none after one the system took only part of. Waits at most kAnswerWaitMs
// for the answers, less when the stop event (optional) is signalled. Every
// wait dispatches the calling thread's messages, so a window's thread may
// call it. Only one query runs at a time on a desktop.
Answers AskHolders(const std::vector<Combination>& taken, HANDLE stop);

// How many of the combinations AskHolders would press, if all are still taken.
size_t PressesAmong(const std::vector<Combination>& taken);

} // namespace who
