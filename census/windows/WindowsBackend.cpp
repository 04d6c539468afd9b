#include "census/windows/WindowsBackend.h"

#include "census/core/CombinationText.h"
#include "hotkeys/who/WideText.h"
#include "census/windows/WindowsKeys.h"
#include "census/who/WhoQuery.h"

#include <iterator>
#include <string>

namespace {

// "error 5: Access is denied.", in UTF-8 whatever the system's language.
std::string ErrorText(DWORD error)
{
    std::string text = "error " + std::to_string(error);
    wchar_t message[512] = {};
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, message, static_cast<DWORD>(std::size(message)), nullptr);
    std::string description = Utf8FromWide({message, length});
    description.erase(description.find_last_not_of(" \r\n") + 1);
    if (!description.empty())
        text += ": " + description;
    return text;
}

} // namespace

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
