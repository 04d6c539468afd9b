#include "census/windows/WhoQuery.h"

#include "census/windows/ConsoleInterrupt.h"
#include "hotkeys/who/AskHolders.h"
#include "win32/WideText.h"

#include <algorithm>

namespace {

// Index of the combination in the list, which gains it if it is not there yet.
size_t IndexIn(std::vector<Combination>& asked, const Combination& combo)
{
    const auto found = std::find(asked.begin(), asked.end(), combo);
    if (found != asked.end())
        return static_cast<size_t>(found - asked.begin());
    asked.push_back(combo);
    return asked.size() - 1;
}

// A row for each table row that holds the combination.
std::vector<WhoResult> WithheldBy(const WhoResult& probed, const std::vector<ProbeResult>& tableRows)
{
    std::vector<WhoResult> withheld;
    for (const ProbeResult& row : tableRows) {
        if (!(row.combo == probed.combo))
            continue;
        WhoResult result = probed;
        result.state = WhoResult::State::Withheld;
        result.error
            = "never pressed: the " + row.source + " source names its holder, which may act on a press";
        result.source = row.source;
        result.holder = row.holder;
        result.action = row.action;
        withheld.push_back(std::move(result));
    }
    return withheld;
}

WhoResult Claimed(WhoResult result, const who::Holder& holder, WhoResult::State state)
{
    result.state = state;
    result.processId = holder.processId;
    result.threadId = holder.threadId;
    result.executable = Utf8FromWide(holder.executable);
    result.windowTitle = Utf8FromWide(holder.windowTitle);
    result.windowClass = Utf8FromWide(holder.windowClass);
    result.hotkeyId = holder.hotkeyId;
    return result;
}

// What became of one taken combination: one result, or one per claim where claims conflict.
void Settle(
    const WhoResult& probed, const who::Answers& answers, size_t asked, std::vector<WhoResult>& results)
{
    const who::Answer& answer = answers.each[asked];
    if (answer.withheld) {
        WhoResult result = probed;
        result.state = WhoResult::State::Withheld;
        result.error = "never pressed: " + answer.withheld->reason;
        result.source = probed.source;
        result.holder = answer.withheld->holder;
        results.push_back(std::move(result));
        return;
    }
    if (!answer.holders.empty()) {
        const auto state = answer.holders.size() == 1 ? WhoResult::State::Named : WhoResult::State::Conflict;
        for (const who::Holder& holder : answer.holders)
            results.push_back(Claimed(probed, holder, state));
        return;
    }
    WhoResult result = probed;
    if (!answers.error.empty() || !answer.failure.empty()) {
        result.state = WhoResult::State::Failed;
        result.error = answers.error.empty() ? answer.failure : answers.error;
    } else if (answer.becameFree) {
        result.state = WhoResult::State::Free;
    } else if (answers.interrupted) {
        result.state = WhoResult::State::Failed;
        result.error = "interrupted before an answer came";
    } else {
        result.state = WhoResult::State::NoAnswer;
        result.error = kNoAnswerText;
    }
    results.push_back(result);
}

} // namespace

std::vector<ProbeResult> TableRows(CensusBackend& backend, std::string& error)
{
    std::vector<SourceFailure> failures;
    std::vector<ProbeResult> rows = OtherSourcesRows(backend, failures);
    if (failures.empty())
        return rows;
    error = "the " + failures.front().source
        + " source cannot tell which combinations it holds, so none is known safe to press: "
        + failures.front().what + "; nothing was pressed";
    return {};
}

std::vector<WhoResult> QueryWho(CensusBackend& backend, const std::vector<ProbeResult>& probes)
{
    std::string tableError;
    const std::vector<ProbeResult> tableRows = TableRows(backend, tableError);
    std::vector<WhoResult> probed;
    std::vector<Combination> taken;
    std::vector<size_t> askedOf;                    // per result: its index in taken, or past its end
    std::vector<std::vector<WhoResult>> withheldOf; // per result: its rows for the tables that hold it
    for (const ProbeResult& probe : probes) {
        const Combination& combo = probe.combo;
        WhoResult result;
        result.combo = combo;
        result.state = WhoResult::State::Free;
        result.error = probe.error;
        result.keyName = probe.keyName;
        result.comboText = probe.comboText;
        result.source = std::string(backend.SourceName());
        if (probe.state == ProbeResult::State::Failed) {
            result.state = WhoResult::State::Failed;
        } else if (probe.state == ProbeResult::State::Taken && !tableError.empty()) {
            result.state = WhoResult::State::Failed;
            result.error = tableError;
        }
        withheldOf.push_back(WithheldBy(result, tableRows));
        const bool asked
            = probe.state == ProbeResult::State::Taken && tableError.empty() && withheldOf.back().empty();
        askedOf.push_back(asked ? IndexIn(taken, combo) : SIZE_MAX);
        probed.push_back(result);
    }

    who::Answers answers;
    if (!taken.empty()) {
        const who::ConsoleInterrupt interrupt;
        answers = who::AskHolders(taken, interrupt.StopEvent());
    }
    std::vector<WhoResult> results;
    for (size_t i = 0; i < probed.size(); ++i) {
        const std::vector<WhoResult>& withheld = withheldOf[i];
        if (!withheld.empty())
            results.insert(results.end(), withheld.begin(), withheld.end());
        else if (askedOf[i] < taken.size())
            Settle(probed[i], answers, askedOf[i], results);
        else
            results.push_back(probed[i]);
    }
    return results;
}
