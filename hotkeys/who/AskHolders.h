#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace who {

// How long the query waits for holders to answer once the keys are pressed.
constexpr DWORD kAnswerWaitMs = 1000;

struct Asked
{
    WORD key;
    UINT modifiers; // MOD_* bits
};

// The program that took an asked press off its queue.
struct Holder
{
    DWORD processId;
    DWORD threadId;
    std::string executable;
    // Null for a hotkey registered for a thread rather than a window.
    std::uint64_t window;
    std::string windowTitle;
    std::string windowClass;
    int hotkeyId;
};

struct Answers
{
    // One per asked combination, in the order asked; empty where no program answered.
    std::vector<std::optional<Holder>> holders;
    // Set when the query could not be made at all: nothing was pressed.
    std::string error;
    // Combinations whose press the system refused, by index: never pressed.
    std::vector<size_t> notPressed;
    // What the answers cannot cover, e.g. programs of the other bitness.
    std::vector<std::string> notes;
    // The stop event ended the wait early.
    bool interrupted = false;
};

// Presses each combination once, each of which another program holds, and
// names the programs whose threads take the presses off their queues, without
// letting them act on them. Hooks every thread of the desktop meanwhile, of
// both bitnesses where the system runs both; the hooks are gone on return.
// Waits at most kAnswerWaitMs for the answers, less when the stop event is
// signalled. Only one query runs at a time on a desktop.
Answers AskHolders(const std::vector<Asked>& taken, HANDLE stop);

} // namespace who
