// The dialog's one use of the who engine: its answers as the Held by texts.
#include "app/WhoHoldsIt.h"

#include "hotkeys/who/AskHolders.h"
#include "win32/WideText.h"

namespace {

std::wstring Failed(const std::string& reason) { return L"failed: " + WideFromUtf8(reason); }

std::wstring HolderText(const who::Holder& holder)
{
    const std::wstring& path = holder.executable;
    return path.substr(path.find_last_of(L"\\/") + 1) + L" (" + std::to_wstring(holder.processId) + L")";
}

std::wstring AnswerText(const who::Answers& answers, const who::Answer& answer)
{
    if (answer.withheld)
        return L"not pressed: " + WideFromUtf8(answer.withheld->reason);
    if (!answers.error.empty())
        return Failed(answers.error);
    if (answer.becameFree)
        return L"free now";
    if (!answer.failure.empty())
        return Failed(answer.failure);
    if (answer.holders.empty())
        return L"no answer";
    // Programs that claim it differently are all named: nothing tells which is right.
    std::wstring text;
    for (const who::Holder& holder : answer.holders)
        text += (text.empty() ? L"" : L", ") + HolderText(holder);
    return text;
}

} // namespace

size_t PressesFor(const std::vector<Combination>& combinations)
{
    return who::PressesAmong(combinations);
}

std::vector<std::wstring> AskWhoHolds(const std::vector<Combination>& combinations)
{
    // No stop event: once pressed, every combination waits for its answer, so
    // that no holder gets its press back after the hooks are gone.
    const who::Answers answers = who::AskHolders(combinations, nullptr);
    std::vector<std::wstring> texts;
    for (const who::Answer& answer : answers.each)
        texts.push_back(AnswerText(answers, answer));
    return texts;
}

std::optional<std::wstring> WithheldText(
    const Combination& combination, const std::vector<ProbeResult>& tableRows, const std::string& tableError)
{
    if (!tableError.empty())
        return Failed(tableError);
    for (const ProbeResult& row : tableRows) {
        if (row.combo == combination)
            return L"not pressed: held by " + WideFromUtf8(row.holder) + L" (" + WideFromUtf8(row.source) + L")";
    }
    return std::nullopt;
}
