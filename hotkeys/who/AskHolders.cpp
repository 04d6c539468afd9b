#include "hotkeys/who/AskHolders.h"

#include "hotkeys/HotkeyProbe.h"
#include "hotkeys/ProbeLock.h"
#include "hotkeys/who/Canary.h"
#include "hotkeys/who/Coverage.h"
#include "hotkeys/who/HookModules.h"
#include "hotkeys/who/KeyPress.h"
#include "hotkeys/who/MachineType.h"
#include "hotkeys/who/MessagePump.h"
#include "hotkeys/who/OtherBitnessHelper.h"
#include "hotkeys/who/QueryMapping.h"
#include "hotkeys/who/ReportWindow.h"
#include "hotkeys/who/TrustedFolder.h"

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

// Publishes the report window, this program and the combinations to ask.
// Those the system acts on are withheld, and those no hotkey can have fail
// at once. Returns whether any is left to press.
bool Publish(Query& query, const ReportWindow& window, const std::vector<Combination>& taken, Answers& answers)
{
    query.version = kProtocolVersion;
    query.reportWindow = reinterpret_cast<std::uintptr_t>(window.Handle());
    query.installers[0] = ::GetCurrentProcessId();
    bool anyLeft = false;
    for (size_t i = 0; i < taken.size(); ++i) {
        answers.each[i].withheld = SystemWithholds(static_cast<WORD>(taken[i].key), taken[i].modifiers);
        if (answers.each[i].withheld)
            continue;
        if (MarkAsked(query, taken[i].key, taken[i].modifiers))
            anyLeft = true;
        else
            answers.each[i].failure = "no hotkey can have this key and these modifiers";
    }
    return anyLeft;
}

// Waits, reading messages, until the user holds no modifier; false, with the
// ones still held, if they are down at the deadline, and true at once when
// stopped.
bool AwaitModifierRelease(HANDLE stop, ULONGLONG deadline, std::string& held)
{
    while (!(held = HeldModifiers()).empty() && !Stopped(stop)) {
        if (::GetTickCount64() >= deadline)
            return false;
        WaitDispatching(Waitable(stop), kModifierPollMs);
    }
    return true;
}

struct Press
{
    enum class Outcome
    {
        Pressed,
        Free,        // found free by the probe just before
        ProbeFailed, // detail: the probe's error
        Refused,     // the system took only part of the press
        Held,        // detail: the modifiers the user kept down
        Stopped
    };
    Outcome outcome;
    std::string detail;
};

// Presses the combination once the user holds no modifier and, where asked
// to probe, a probe just before still finds it taken. The last look at the
// modifiers comes right before SendInput, with nothing between that could
// block: a key the user presses meanwhile would mix into the press.
Press PressWhenReleased(WORD key, UINT modifiers, bool probe, HANDLE stop)
{
    const ULONGLONG deadline = ::GetTickCount64() + kModifierReleaseWaitMs;
    const std::vector<KeyStroke> strokes = PressStrokes(key, modifiers);
    for (;;) {
        std::string held;
        if (!AwaitModifierRelease(stop, deadline, held))
            return {Press::Outcome::Held, held};
        if (Stopped(stop))
            return {Press::Outcome::Stopped, {}};
        if (probe) {
            const DWORD probed = ProbeCombination({key, modifiers});
            if (probed == kProbedFree)
                return {Press::Outcome::Free, {}};
            if (probed != ERROR_HOTKEY_ALREADY_REGISTERED)
                return {Press::Outcome::ProbeFailed, SystemError("Probing it again", probed)};
        }
        if (!HeldModifiers().empty())
            continue;
        return {SendStrokes(strokes) ? Press::Outcome::Pressed : Press::Outcome::Refused, {}};
    }
}

std::string HeldFailure(const std::string& held)
{
    return "not pressed while " + held + (held.find(',') == std::string::npos ? " is" : " are")
        + " held down; let go and ask again";
}

// Fails every combination from the first on that is still to be pressed.
void FailRest(Answers& answers, size_t first, const std::string& failure)
{
    for (size_t rest = first; rest < answers.each.size(); ++rest) {
        Answer& answer = answers.each[rest];
        if (answer.failure.empty() && !answer.withheld)
            answer.failure = failure;
    }
}

constexpr char kPressLost[] = "an elevated window may have the focus, the desktop may be locked, or "
                              "another program may intercept the keyboard's input";

// Presses a combination of our own and waits for it to arrive; false, with
// the answers saying why, when it does not: then no press would reach its
// holder either.
bool CanaryArrives(const ReportWindow& window, HANDLE stop, Answers& answers)
{
    const Canary canary(window.Handle());
    if (!canary.Registered()) {
        answers.error = "no combination was free for a test press (Ctrl+Shift+F13 to Ctrl+Shift+F24 are all "
                        "taken); nothing was pressed";
        return false;
    }
    const Press press = PressWhenReleased(canary.Key(), Canary::kModifiers, false, stop);
    switch (press.outcome) {
    case Press::Outcome::Held:
        FailRest(answers, 0, HeldFailure(press.detail));
        return false;
    case Press::Outcome::Stopped:
        answers.interrupted = true;
        return false;
    case Press::Outcome::Refused:
        answers.error = std::string("the system took only part of a test press: ") + kPressLost
            + "; nothing was pressed";
        return false;
    default:
        break;
    }
    const DWORD woke = WaitDispatching(
        Waitable(stop), kCanaryWaitMs, [&] { return window.HotkeyFired(Canary::kHotkeyId); });
    if (window.HotkeyFired(Canary::kHotkeyId))
        return true;
    if (stop && woke == 0)
        answers.interrupted = true;
    else
        answers.error = std::string("a test press of a combination of our own did not arrive: ") + kPressLost
            + "; nothing was pressed";
    return false;
}

// Presses each asked combination that is still taken, once, after a test
// press; returns the ones pressed.
CombinationSet PressAll(
    const ReportWindow& window, const std::vector<Combination>& taken, HANDLE stop, Answers& answers)
{
    CombinationSet pressed(kKeyCount * kModifierSets);
    if (!CanaryArrives(window, stop, answers))
        return pressed;
    for (size_t i = 0; i < taken.size(); ++i) {
        Answer& answer = answers.each[i];
        const Combination& asked = taken[i];
        if (!answer.failure.empty() || answer.withheld || pressed[AskedBit(asked.key, asked.modifiers)])
            continue;
        const Press press = PressWhenReleased(static_cast<WORD>(asked.key), asked.modifiers, true, stop);
        switch (press.outcome) {
        case Press::Outcome::Pressed:
            pressed[AskedBit(asked.key, asked.modifiers)] = true;
            // The reports of the holders pressed so far are taken now, not
            // after the last press: each holder's thread waits for its own.
            WaitDispatching(Waitable(stop), 0);
            continue;
        case Press::Outcome::Free:
            answer.becameFree = true;
            continue;
        case Press::Outcome::ProbeFailed:
            answer.failure = press.detail;
            continue;
        case Press::Outcome::Refused:
            answer.failure = std::string("the system took only part of the press: ") + kPressLost;
            FailRest(answers, i + 1, "not pressed after the system refused an earlier press");
            return pressed;
        case Press::Outcome::Held:
            FailRest(answers, i, HeldFailure(press.detail));
            return pressed;
        case Press::Outcome::Stopped:
            answers.interrupted = true;
            return pressed;
        }
    }
    return pressed;
}

// Pressed combinations whose presses have all been claimed, a lock key's
// both: a flood of claims for one combination counts once, and claims for
// others not at all.
size_t Answered(const ReportWindow& window, const CombinationSet& pressed)
{
    size_t answered = 0;
    for (const auto& [bit, claims] : window.Claims())
        answered
            += pressed[bit] && window.MostReports(bit) >= KeyTaps(static_cast<WORD>(bit / kModifierSets));
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
    if (!Publish(query, window, taken, answers))
        return answers;
    // Elevated, a hook or helper planted where the user's ordinary programs
    // write would run with this program's rights.
    if (RunsAboveOtherPrograms()) {
        const std::string unsafe = WritableByOthers(
            ProgramFolder(), {kOwnBitness.hookDll, kOtherBitness.hookDll, kOtherBitness.helper});
        if (!unsafe.empty()) {
            answers.error = "running elevated, who loads no hook and starts no helper from a folder that "
                            "others than administrators may change: "
                + unsafe + "; nothing was pressed";
            return answers;
        }
    }

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
    // A press that reaches a program no hook of ours is in reaches its owner.
    if (const std::string uncovered = UncoveredPrograms(helper.ProcessId() ? kOtherBitness.machine : 0);
        !uncovered.empty()) {
        answers.error
            = uncovered + (helper.Gap().empty() ? "" : " (" + helper.Gap() + ")") + "; nothing was pressed";
        return answers;
    }
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

    const CombinationSet pressed = PressAll(window, taken, stop, answers);
    if (!answers.interrupted)
        WaitForReports(window, pressed, stop, answers);
    // Taken back before the hooks go: a holder that takes its press only now
    // sees it, rather than have it swallowed with nobody to tell.
    mapping.Close();
    TakeClaims(window, taken, pressed, answers);
    return answers;
}

size_t PressesAmong(const std::vector<Combination>& taken)
{
    CombinationSet counted(kKeyCount * kModifierSets);
    size_t presses = 0;
    for (const Combination& asked : taken) {
        if (!InRange(asked.key, asked.modifiers) || counted[AskedBit(asked.key, asked.modifiers)]
            || SystemWithholds(static_cast<WORD>(asked.key), asked.modifiers))
            continue;
        counted[AskedBit(asked.key, asked.modifiers)] = true;
        ++presses;
    }
    return presses;
}

} // namespace who
