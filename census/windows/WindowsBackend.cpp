#include "census/windows/WindowsBackend.h"

#include "census/core/CombinationText.h"
#include "win32/SystemError.h"
#include "census/windows/WindowsKeys.h"
#include "census/windows/WhoQuery.h"

#include <string>

ProbeResult MakeProbeResult(const Combination& combo, DWORD probed)
{
    ProbeResult result{combo, ProbeResult::State::Free, {}, WindowsKeyName(combo.key),
        CombinationText(combo.modifiers, WindowsKeyText(combo.key)), {}};
    if (probed == ERROR_HOTKEY_ALREADY_REGISTERED) {
        result.state = ProbeResult::State::Taken;
    } else if (probed != kProbedFree) {
        result.state = ProbeResult::State::Failed;
        result.error = ErrorText(probed);
    }
    return result;
}

std::vector<ProbeResult> WindowsCensusBackend::Census()
{
    std::vector<ProbeResult> results;
    ProbeAllCombinations(
        [&](const Combination& combo, DWORD probed) { results.push_back(MakeProbeResult(combo, probed)); });
    return results;
}

ProbeResult WindowsCensusBackend::Probe(const Combination& combo)
{
    return MakeProbeResult(combo, ProbeCombination(combo));
}

std::optional<unsigned> WindowsCensusBackend::ParseKey(std::string_view name) const
{
    return ParseWindowsKey(name);
}

std::string WindowsCensusBackend::KeyName(unsigned key) const { return WindowsKeyName(key); }

std::string WindowsCensusBackend::KeyText(unsigned key) const { return WindowsKeyText(key); }

std::optional<std::vector<WhoResult>> WindowsCensusBackend::Who(const std::vector<ProbeResult>& probes)
{
    return QueryWho(probes);
}
