#include "hotkeys/HotkeyProbe.h"

#include "hotkeys/ProbeLock.h"

namespace {

constexpr unsigned kHighestKeyCode = 255;
constexpr unsigned kModifierCombinations = 16;

// The MOD_* flags of the modifier combination counted as 0 to 15.
constexpr unsigned ProbeModifiers(unsigned count)
{
    return ((count & 8) ? kModCtrl : 0) | ((count & 4) ? kModAlt : 0) | ((count & 2) ? kModShift : 0)
        | ((count & 1) ? kModWin : 0);
}

// The caller holds the probe lock.
DWORD ProbeLocked(const Combination& combo)
{
    if (::RegisterHotKey(nullptr, 0, combo.modifiers, combo.key)) {
        // Free: give it back at once. Nothing to do if that fails.
        ::UnregisterHotKey(nullptr, 0);
        return kProbedFree;
    }
    const DWORD error = ::GetLastError();
    // A refusal that gives no reason must not read as free.
    return error == kProbedFree ? ERROR_GEN_FAILURE : error;
}

} // namespace

static_assert(kModAlt == MOD_ALT && kModCtrl == MOD_CONTROL && kModShift == MOD_SHIFT && kModWin == MOD_WIN);

DWORD ProbeCombination(const Combination& combo)
{
    try {
        const ProbeLock lock;
        return ProbeLocked(combo);
    } catch (const ProbeLockError& error) {
        return error.error;
    }
}

void ProbeAllCombinations(const std::function<void(const Combination&, DWORD)>& notFree)
{
    const ProbeLock lock;
    for (unsigned key = kHighestKeyCode; key >= 1; --key) {
        for (unsigned count = 0; count < kModifierCombinations; ++count) {
            const Combination combo{key, ProbeModifiers(count)};
            const DWORD error = ProbeLocked(combo);
            if (error != kProbedFree)
                notFree(combo, error);
        }
    }
}
