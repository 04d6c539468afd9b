#include "hotkeys/who/AskHolders.h"

#include "hotkeys/who/HookModules.h"
#include "hotkeys/who/KeyPress.h"
#include "hotkeys/who/OtherBitnessHelper.h"
#include "hotkeys/who/ReportWindow.h"
#include "hotkeys/who/WhoProtocol.h"

#include <cstring>

namespace who {

namespace {

// The query published for the hooks under the one name they know. Held by
// one census program at a time.
class QueryMapping
{
public:
    QueryMapping()
    {
        m_mapping = ::CreateFileMappingA(
            INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Query), kQueryMappingName);
        if (!m_mapping) {
            m_error = SystemError("Creating the query mapping", ::GetLastError());
        } else if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            m_error = "another keyvane-census who is running; try again when it has ended";
        } else {
            m_query = static_cast<Query*>(::MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, sizeof(Query)));
            if (!m_query)
                m_error = SystemError("Mapping the query", ::GetLastError());
        }
    }
    ~QueryMapping()
    {
        if (m_query)
            ::UnmapViewOfFile(m_query);
        if (m_mapping)
            ::CloseHandle(m_mapping);
    }
    QueryMapping(const QueryMapping&) = delete;
    QueryMapping& operator=(const QueryMapping&) = delete;

    const std::string& Error() const { return m_error; }
    // Zero-filled when fresh.
    Query& Get() { return *m_query; }

private:
    HANDLE m_mapping = nullptr;
    Query* m_query = nullptr;
    std::string m_error;
};

std::string WindowText(HWND window)
{
    char text[512] = "";
    const int length = ::GetWindowTextA(window, text, sizeof text);
    return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}

std::string WindowClass(HWND window)
{
    char name[256] = "";
    const int length = ::GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<size_t>(length > 0 ? length : 0));
}

// Takes the first report for each asked combination. Window titles and
// classes are read only now: while a report is being sent its owner's thread
// waits, and must not be asked anything.
void TakeReports(const std::vector<Report>& reports, const std::vector<Asked>& taken, Answers& answers)
{
    for (const Report& report : reports) {
        for (size_t i = 0; i < taken.size(); ++i) {
            if (answers.holders[i] || HIWORD(report.combination) != taken[i].key
                || LOWORD(report.combination) != taken[i].modifiers)
                continue;
            Holder holder{
                report.processId, report.threadId, report.executable, report.window, {}, {}, report.hotkeyId};
            const auto window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(report.window));
            if (window && ::IsWindow(window)) {
                holder.windowTitle = WindowText(window);
                holder.windowClass = WindowClass(window);
            }
            answers.holders[i] = std::move(holder);
        }
    }
}

// Reads messages, and with them the reports, until every pressed combination
// has one, the time is up or the stop event is signalled.
void WaitForReports(const ReportWindow& window, size_t expected, HANDLE stop, Answers& answers)
{
    const ULONGLONG deadline = ::GetTickCount64() + kAnswerWaitMs;
    const DWORD handleCount = stop ? 1 : 0;
    for (;;) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&message);
        const ULONGLONG now = ::GetTickCount64();
        if (window.Reports().size() >= expected || now >= deadline)
            return;
        const DWORD woke = ::MsgWaitForMultipleObjects(
            handleCount, &stop, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        if (stop && woke == WAIT_OBJECT_0) {
            answers.interrupted = true;
            return;
        }
    }
}

} // namespace

Answers AskHolders(const std::vector<Asked>& taken, HANDLE stop)
{
    Answers answers;
    answers.holders.resize(taken.size());
    if (taken.empty())
        return answers;

    QueryMapping mapping;
    if (!mapping.Error().empty()) {
        answers.error = mapping.Error();
        return answers;
    }
    const ReportWindow window;
    if (!window.Handle()) {
        answers.error = SystemError("Creating the report window", ::GetLastError());
        return answers;
    }
    Query& query = mapping.Get();
    query.version = kProtocolVersion;
    query.reportWindow = reinterpret_cast<std::uintptr_t>(window.Handle());
    query.installers[0] = ::GetCurrentProcessId();
    for (const Asked& asked : taken)
        MarkAsked(query, asked.key, asked.modifiers);

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
    const OtherBitnessHelper helper;
    query.installers[1] = helper.ProcessId();
    if (!helper.Gap().empty())
        answers.notes.push_back(helper.Gap());

    size_t pressed = 0;
    for (size_t i = 0; i < taken.size(); ++i) {
        if (stop && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) {
            answers.interrupted = true;
            break;
        }
        if (SendStrokes(PressStrokes(taken[i].key, taken[i].modifiers)))
            ++pressed;
        else
            answers.notPressed.push_back(i);
    }
    if (!answers.interrupted && pressed > 0)
        WaitForReports(window, pressed, stop, answers);
    TakeReports(window.Reports(), taken, answers);
    return answers;
}

} // namespace who
