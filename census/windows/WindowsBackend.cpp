#include "census/windows/WindowsBackend.h"

#include "census/core/CombinationText.h"
#include "win32/SystemError.h"
#include "census/windows/WindowsKeys.h"
#include "census/windows/WhoQuery.h"

#include <string>
#include <string_view>
#include <utility>

namespace {

ProbeResult ProbeRow(const Combination& combo, DWORD probed, std::string keyName, std::string_view keyText)
{
    ProbeResult result{
        combo, ProbeResult::State::Free, {}, std::move(keyName), CombinationText(combo.modifiers, keyText), {}};
    if (probed == ERROR_HOTKEY_ALREADY_REGISTERED) {
        result.state = ProbeResult::State::Taken;
    } else if (probed != kProbedFree) {
        result.state = ProbeResult::State::Failed;
        result.error = ErrorText(probed);
    }
    return result;
}

} // namespace

ProbeResult MakeProbeResult(const Combination& combo, DWORD probed)
{
    return ProbeRow(combo, probed, WindowsKeyName(combo.key), WindowsKeyText(combo.key));
}

std::vector<ProbeResult> WindowsCensusBackend::Census()
{
    std::vector<ProbeResult> results;
    // Probed key by key: a key's texts are worked out once for all its combinations.
    unsigned textsOf = 0;
    std::string keyName;
    std::string keyText;
    ProbeAllCombinations([&](const Combination& combo, DWORD probed) {
        if (combo.key != textsOf) {
            textsOf = combo.key;
            keyName = WindowsKeyName(combo.key);
            keyText = WindowsKeyText(combo.key);
        }
        results.push_back(ProbeRow(combo, probed, keyName, keyText));
    });
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
    return QueryWho(*this, probes);
}
