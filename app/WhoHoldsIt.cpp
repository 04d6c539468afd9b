// The dialog's one use of the who engine: its answers as the Held by texts.
#include "app/WhoHoldsIt.h"

#include "hotkeys/HotkeyProbe.h"
#include "hotkeys/who/AskHolders.h"
#include "hotkeys/who/HookModules.h"

#include <algorithm>

namespace {

constexpr size_t kNotAsked = SIZE_MAX;

std::wstring Wide(const std::string& text)
{
    const int length
        = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(length, 0)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::wstring Failed(const std::string& reason) { return L"failed: " + Wide(reason); }

std::wstring HolderText(const who::Holder& holder)
{
    const std::wstring path = Wide(holder.executable);
    return path.substr(path.find_last_of(L"\\/") + 1) + L" (" + std::to_wstring(holder.processId) + L")";
}

std::wstring AnswerText(const who::Answers& answers, size_t asked)
{
    if (!answers.error.empty())
        return Failed(answers.error);
    if (std::ranges::find(answers.notPressed, asked) != answers.notPressed.end())
        return Failed("the system refused to press it");
    if (answers.holders[asked])
        return HolderText(*answers.holders[asked]);
    return L"no answer";
}

} // namespace

std::vector<std::wstring> AskWhoHolds(const std::vector<HotkeyCombination>& combinations)
{
    std::vector<std::wstring> texts(combinations.size());
    std::vector<who::Asked> taken;
    std::vector<size_t> askedOf(combinations.size(), kNotAsked);
    for (size_t i = 0; i < combinations.size(); ++i) {
        const ProbeOutcome outcome = ProbeCombination(combinations[i].key, combinations[i].modifiers);
        if (outcome.state == ProbeOutcome::State::Free) {
            texts[i] = L"free now";
        } else if (outcome.state == ProbeOutcome::State::Failed) {
            texts[i] = Failed(who::SystemError("Registering it", outcome.error));
        } else {
            askedOf[i] = taken.size();
            taken.push_back({combinations[i].key, combinations[i].modifiers});
        }
    }
    if (taken.empty())
        return texts;

    // No stop event: once pressed, every combination waits for its answer, so
    // that no holder gets its press back after the hooks are gone.
    const who::Answers answers = who::AskHolders(taken, nullptr);
    for (size_t i = 0; i < combinations.size(); ++i) {
        if (askedOf[i] != kNotAsked)
            texts[i] = AnswerText(answers, askedOf[i]);
    }
    return texts;
}
