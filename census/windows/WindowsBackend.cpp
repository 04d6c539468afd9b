#include "census/windows/WindowsBackend.h"

#include "census/core/CombinationText.h"
#include "win32/SystemError.h"
#include "census/windows/WindowsKeys.h"
#include "census/windows/WhoQuery.h"

#include <string>

ProbeResult MakeProbeResult(const Combination& combo, const ProbeOutcome& outcome)
{
    ProbeResult result{combo, ProbeResult::State::Free, {}, WindowsKeyName(combo.key),
        CombinationText(combo.modifiers, WindowsKeyText(combo.key)), {}};
    switch (outcome.state) {
    case ProbeOutcome::State::Free:
        break;
    case ProbeOutcome::State::Taken:
        result.state = ProbeResult::State::Taken;
        break;
    case ProbeOutcome::State::Failed:
        result.state = ProbeResult::State::Failed;
        result.error = ErrorText(outcome.error);
        break;
    }
    return result;
}

std::vector<ProbeResult> WindowsCensusBackend::Census()
{
    const std::vector<UnavailableHotkey> found = ProbeAllCombinations();
    // Found from the highest key and the most modifiers down: the dialog's
    // order is the reverse.
    std::vector<ProbeResult> results;
    results.reserve(found.size());
    for (auto hotkey = found.rbegin(); hotkey != found.rend(); ++hotkey) {
        const Combination combo{static_cast<unsigned>(hotkey->keyCode), HotkeyModifiers(*hotkey->combo)};
        results.push_back(MakeProbeResult(combo, hotkey->outcome));
    }
    return results;
}

ProbeResult WindowsCensusBackend::Probe(const Combination& combo)
{
    return MakeProbeResult(combo, ProbeCombination(combo.key, combo.modifiers));
}

std::optional<unsigned> WindowsCensusBackend::ParseKey(std::string_view name) const
{
    return ParseWindowsKey(name);
}

std::string WindowsCensusBackend::KeyName(unsigned key) const { return WindowsKeyName(key); }

std::string WindowsCensusBackend::KeyText(unsigned key) const { return WindowsKeyText(key); }

std::optional<std::vector<WhoResult>> WindowsCensusBackend::Who(const std::vector<Combination>& combos)
{
    return QueryWho(*this, combos);
}
