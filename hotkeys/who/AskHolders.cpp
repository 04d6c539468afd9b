#include "hotkeys/who/AskHolders.h"

#include "hotkeys/HotkeyProbe.h"
#include "hotkeys/ProbeLock.h"
#include "hotkeys/who/HookModules.h"
#include "hotkeys/who/KeyPress.h"
#include "hotkeys/who/MessagePump.h"
#include "hotkeys/who/OtherBitnessHelper.h"
#include "hotkeys/who/QueryMapping.h"
#include "hotkeys/who/ReportWindow.h"

#include <algorithm>
#include <optional>

namespace who {

namespace {

// How often the held modifiers are looked at while the query waits for their release.
constexpr DWORD kModifierPollMs = 10;
// Titles longer than this are cut: beyond it a title tells nothing more.
constexpr int kLongestTitle = 1 << 16;
// The longest class name there is, in characters, and its terminator.
constexpr int kClassNameChars = 257;

// One flag per combination there can be, by AskedBit.
using CombinationSet = std::vector<bool>;

std::vector<HANDLE> Waitable(HANDLE stop) { return stop ? std::vector<HANDLE>{stop} : std::vector<HANDLE>{}; }

bool Stopped(HANDLE stop) { return stop && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

// The title of another program's window, read without asking that program:
// it may be the one that waits for its report to be taken.
std::wstring WindowTitle(HWND window)
{
    for (int size = 256;; size *= 2) {
        std::wstring title(static_cast<size_t>(size), L'\0');
        const int length = std::max(::GetWindowTextW(window, title.data(), size), 0);
        if (length < size - 1 || size >= kLongestTitle) {
            title.resize(static_cast<size_t>(length));
            return title;
        }
    }
}

std::wstring WindowClass(HWND window)
{
    wchar_t name[kClassNameChars] = L"";
    const int length = ::GetClassNameW(window, name, kClassNameChars);
    return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

// Publishes the report window, this program and the combinations to ask;
// those no hotkey can have fail at once.
void Publish(Query& query, const ReportWindow& window, const std::vector<Combination>& taken, Answers& answers)
{
    query.version = kProtocolVersion;
    query.reportWindow = reinterpret_cast<std::uintptr_t>(window.Handle());
    query.installers[0] = ::GetCurrentProcessId();
    for (size_t i = 0; i < taken.size(); ++i) {
        if (!MarkAsked(query, taken[i].key, taken[i].modifiers))
            answers.each[i].failure = "no hotkey can have this key and these modifiers";
    }
}

// Waits, reading messages, until the user holds no modifier; false, with the
// ones still held, if they stay down, and true at once when stopped.
bool AwaitModifierRelease(HANDLE stop, std::string& held)
{
    const ULONGLONG deadline = ::GetTickCount64() + kModifierReleaseWaitMs;
    while (!(held = HeldModifiers()).empty() && !Stopped(stop)) {
        if (::GetTickCount64() >= deadline)
            return false;
        WaitDispatching(Waitable(stop), kModifierPollMs);
    }
    return true;
}

// Presses each asked combination that is still taken, once; returns the ones pressed.
CombinationSet PressAll(const std::vector<Combination>& taken, HANDLE stop, Answers& answers)
{
    CombinationSet pressed(kKeyCount * kModifierSets);
    for (size_t i = 0; i < taken.size(); ++i) {
        Answer& answer = answers.each[i];
        const Combination& asked = taken[i];
        if (!answer.failure.empty() || pressed[AskedBit(asked.key, asked.modifiers)])
            continue;
        std::string held;
        if (!AwaitModifierRelease(stop, held)) {
            const std::string failure = "not pressed while " + held
                + (held.find(',') == std::string::npos ? " is" : " are") + " held down; let go and ask again";
            for (size_t rest = i; rest < taken.size(); ++rest) {
                if (answers.each[rest].failure.empty())
                    answers.each[rest].failure = failure;
            }
            break;
        }
        if (Stopped(stop)) {
            answers.interrupted = true;
            break;
        }
        const DWORD probe = ProbeCombination(asked);
        if (probe == kProbedFree)
            answer.becameFree = true;
        else if (probe != ERROR_HOTKEY_ALREADY_REGISTERED)
            answer.failure = SystemError("Probing it again", probe);
        else if (SendStrokes(PressStrokes(static_cast<WORD>(asked.key), asked.modifiers)))
            pressed[AskedBit(asked.key, asked.modifiers)] = true;
        else
            answer.failure = "the system refused to press it";
    }
    return pressed;
}

// Pressed combinations with at least one claim: a flood of claims for one
// combination counts once, and claims for others not at all.
size_t Answered(const ReportWindow& window, const CombinationSet& pressed)
{
    size_t answered = 0;
    for (const auto& [bit, claims] : window.Claims())
        answered += pressed[bit] && !claims.empty();
    return answered;
}

// Reads messages, and with them the reports, until every pressed combination
// has a claim, the time is up or the stop event is signalled.
void WaitForReports(const ReportWindow& window, const CombinationSet& pressed, HANDLE stop, Answers& answers)
{
    const auto expected = static_cast<size_t>(std::count(pressed.begin(), pressed.end(), true));
    if (expected == 0)
        return;
    const DWORD woke = WaitDispatching(
        Waitable(stop), kAnswerWaitMs, [&] { return Answered(window, pressed) >= expected; });
    answers.interrupted = answers.interrupted || (stop && woke == 0);
}

// The claims for each pressed combination. Window titles and classes are read
// only now: while a report is being sent its owner's thread waits.
void TakeClaims(const ReportWindow& window, const std::vector<Combination>& taken, const CombinationSet& pressed,
    Answers& answers)
{
    for (size_t i = 0; i < taken.size(); ++i) {
        const unsigned bit = AskedBit(taken[i].key, taken[i].modifiers);
        const auto claims = window.Claims().find(bit);
        if (!InRange(taken[i].key, taken[i].modifiers) || !pressed[bit] || claims == window.Claims().end())
            continue;
        for (const Claim& claim : claims->second) {
            Holder holder{
                claim.processId, claim.threadId, claim.executable, claim.window, {}, {}, claim.hotkeyId};
            const auto handle = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(claim.window));
            if (handle && ::IsWindow(handle)) {
                holder.windowTitle = WindowTitle(handle);
                holder.windowClass = WindowClass(handle);
            }
            answers.each[i].holders.push_back(std::move(holder));
        }
    }
}

} // namespace

Answers AskHolders(const std::vector<Combination>& taken, HANDLE stop)
{
    Answers answers;
    answers.each.resize(taken.size());
    if (taken.empty())
        return answers;

    const ReportWindow window;
    if (!window.Handle()) {
        answers.error = SystemError("Creating the report window", ::GetLastError());
        return answers;
    }
    QueryMapping mapping;
    if (!mapping.Error().empty()) {
        answers.error = mapping.Error();
        return answers;
    }
    Query& query = mapping.Get();
    Publish(query, window, taken, answers);

    // Taken before any hook: waiting for another probe to end must not keep
    // this thread from its messages while it holds one. Held to the end, so
    // that each probe just before a press only nests in it, and no other
    // probe's momentary registration can take a press.
    std::optional<ProbeLock> probeLock;
    try {
        probeLock.emplace();
    } catch (const ProbeLockError& error) {
        answers.error = error.what();
        return answers;
    }

    // Started, and waited for, before this thread holds a hook; it ends only
    // after this thread's hook has gone, objects going in reverse order.
    const OtherBitnessHelper helper;
    query.installers[1] = helper.ProcessId();
    if (!helper.Gap().empty())
        answers.notes.push_back(helper.Gap());
    const HookLibrary library;
    if (!library.Error().empty()) {
        answers.error = library.Error();
        return answers;
    }
    const WindowsHook hook(library, 0);
    if (!hook.Installed()) {
        answers.error = SystemError("Installing the hook", ::GetLastError());
        return answers;
    }

    const CombinationSet pressed = PressAll(taken, stop, answers);
    if (!answers.interrupted)
        WaitForReports(window, pressed, stop, answers);
    // Taken back before the hooks go: a holder that takes its press only now
    // sees it, rather than have it swallowed with nobody to tell.
    mapping.Close();
    TakeClaims(window, taken, pressed, answers);
    return answers;
}

} // namespace who
