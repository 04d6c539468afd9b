#pragma once

#include <windows.h>

#include <array>
#include <vector>

// One combination of the four modifiers; each flag is 0 or 1.
struct ModifierCombo
{
    int ctrl;
    int alt;
    int shift;
    int win;
};

// The 16 combinations in probing order: a four-bit count with Ctrl as the
// most significant flag.
extern const std::array<ModifierCombo, 16> g_modifierCombos;

// The MOD_* flags RegisterHotKey takes for the combination.
UINT HotkeyModifiers(const ModifierCombo& combo);

// What registering a combination for a moment tells about it.
struct ProbeOutcome
{
    enum class State
    {
        Free,
        Taken, // another registration holds it
        Failed // refused for another reason: nobody can tell whether it is held
    };

    State state;
    DWORD error; // GetLastError of a failed registration, 0 otherwise
};

// Registers the combination as a hotkey of this thread and, when that
// succeeds, releases it at once, holding the probe lock (ProbeLock.h). A lock
// that cannot be had fails the probe with the lock's error.
ProbeOutcome ProbeCombination(UINT keyCode, UINT modifiers);

// A combination that could not be registered, taken or failed.
struct UnavailableHotkey
{
    int keyCode;
    const ModifierCombo* combo;
    ProbeOutcome outcome;
};

// Tries every key code from 255 down to 1 with each modifier combination, in
// that order, holding the probe lock throughout, and returns the ones that
// are not free, in the order found. Throws ProbeLockError when the lock
// cannot be had: then nothing is known.
std::vector<UnavailableHotkey> ProbeAllCombinations();

// A combination that another registration holds.
struct TakenHotkey
{
    int keyCode;
    const ModifierCombo* combo;
};

// The taken combinations of ProbeAllCombinations, in the order found. A
// combination that failed for another reason says nothing about who holds
// it and is left out. Throws as ProbeAllCombinations does.
std::vector<TakenHotkey> ProbeHotkeys();
