#include "census/who/WhoQuery.h"

#include "hotkeys/who/AskHolders.h"
#include "census/who/ConsoleInterrupt.h"

#include <algorithm>

namespace {

// Index of the combination in the list, which gains it if it is not there yet.
size_t IndexIn(std::vector<who::Asked>& asked, const Combination& combo)
{
    const who::Asked wanted{static_cast<WORD>(combo.key), combo.modifiers};
    const auto found = std::find_if(asked.begin(), asked.end(),
        [&](const who::Asked& a) { return a.key == wanted.key && a.modifiers == wanted.modifiers; });
    if (found != asked.end())
        return static_cast<size_t>(found - asked.begin());
    asked.push_back(wanted);
    return asked.size() - 1;
}

void Name(WhoResult& result, const who::Holder& holder)
{
    result.state = WhoResult::State::Named;
    result.processId = holder.processId;
    result.threadId = holder.threadId;
    result.executable = holder.executable;
    result.windowTitle = holder.windowTitle;
    result.windowClass = holder.windowClass;
    result.hotkeyId = holder.hotkeyId;
}

// What became of one pressed combination.
void Settle(WhoResult& result, const who::Answers& answers, size_t asked)
{
    if (!answers.error.empty()) {
        result.state = WhoResult::State::Failed;
        result.error = answers.error;
    } else if (std::find(answers.notPressed.begin(), answers.notPressed.end(), asked)
        != answers.notPressed.end()) {
        result.state = WhoResult::State::Failed;
        result.error = "the system refused to press it";
    } else if (answers.holders[asked]) {
        Name(result, *answers.holders[asked]);
    } else if (answers.interrupted) {
        result.state = WhoResult::State::Failed;
        result.error = "interrupted before an answer came";
    } else {
        result.state = WhoResult::State::NoAnswer;
        result.error = kNoAnswerText;
        for (const std::string& note : answers.notes)
            result.error += " (" + note + ")";
    }
}

} // namespace

std::vector<WhoResult> QueryWho(CensusBackend& backend, const std::vector<Combination>& combos)
{
    std::vector<WhoResult> results;
    std::vector<who::Asked> taken;
    std::vector<size_t> askedOf; // per result: its index in taken, or past its end
    for (const Combination& combo : combos) {
        const ProbeResult probe = backend.Probe(combo);
        WhoResult result;
        result.combo = combo;
        result.state = WhoResult::State::Free;
        result.error = probe.error;
        result.keyName = probe.keyName;
        result.comboText = probe.comboText;
        size_t asked = SIZE_MAX;
        if (probe.state == ProbeResult::State::Failed)
            result.state = WhoResult::State::Failed;
        else if (probe.state == ProbeResult::State::Taken)
            asked = IndexIn(taken, combo);
        results.push_back(result);
        askedOf.push_back(asked);
    }
    if (taken.empty())
        return results;

    const who::ConsoleInterrupt interrupt;
    const who::Answers answers = who::AskHolders(taken, interrupt.StopEvent());
    for (size_t i = 0; i < results.size(); ++i) {
        if (askedOf[i] < taken.size())
            Settle(results[i], answers, askedOf[i]);
    }
    return results;
}
