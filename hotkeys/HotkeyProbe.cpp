#include "hotkeys/HotkeyProbe.h"

#include "hotkeys/ProbeLock.h"

namespace {

constexpr int kHighestKeyCode = 255;

// Registers the combination as a hotkey of this thread and, when that
// succeeds, releases it at once; the caller holds the probe lock.
ProbeOutcome ProbeLocked(UINT keyCode, UINT modifiers)
{
    if (::RegisterHotKey(nullptr, 0, modifiers, keyCode)) {
        // Free: give it back at once. Nothing to do if that fails.
        ::UnregisterHotKey(nullptr, 0);
        return {ProbeOutcome::State::Free, 0};
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_HOTKEY_ALREADY_REGISTERED)
        return {ProbeOutcome::State::Taken, 0};
    return {ProbeOutcome::State::Failed, error};
}

} // namespace

const std::array<ModifierCombo, 16> g_modifierCombos = {{
    // ctrl alt shift win
    {0, 0, 0, 0},
    {0, 0, 0, 1},
    {0, 0, 1, 0},
    {0, 0, 1, 1},
    {0, 1, 0, 0},
    {0, 1, 0, 1},
    {0, 1, 1, 0},
    {0, 1, 1, 1},
    {1, 0, 0, 0},
    {1, 0, 0, 1},
    {1, 0, 1, 0},
    {1, 0, 1, 1},
    {1, 1, 0, 0},
    {1, 1, 0, 1},
    {1, 1, 1, 0},
    {1, 1, 1, 1},
}};

UINT HotkeyModifiers(const ModifierCombo& combo)
{
    return (combo.ctrl ? MOD_CONTROL : 0) | (combo.alt ? MOD_ALT : 0) | (combo.shift ? MOD_SHIFT : 0)
        | (combo.win ? MOD_WIN : 0);
}

ProbeOutcome ProbeCombination(UINT keyCode, UINT modifiers)
{
    try {
        const ProbeLock lock;
        return ProbeLocked(keyCode, modifiers);
    } catch (const ProbeLockError& error) {
        return {ProbeOutcome::State::Failed, error.error};
    }
}

std::vector<UnavailableHotkey> ProbeAllCombinations()
{
    const ProbeLock lock;
    std::vector<UnavailableHotkey> found;
    for (int keyCode = kHighestKeyCode; keyCode >= 1; --keyCode) {
        for (const ModifierCombo& combo : g_modifierCombos) {
            const ProbeOutcome outcome = ProbeLocked(static_cast<UINT>(keyCode), HotkeyModifiers(combo));
            if (outcome.state != ProbeOutcome::State::Free)
                found.push_back({keyCode, &combo, outcome});
        }
    }
    return found;
}

std::vector<TakenHotkey> ProbeHotkeys()
{
    std::vector<TakenHotkey> taken;
    for (const UnavailableHotkey& hotkey : ProbeAllCombinations()) {
        if (hotkey.outcome.state == ProbeOutcome::State::Taken)
            taken.push_back({hotkey.keyCode, hotkey.combo});
    }
    return taken;
}
