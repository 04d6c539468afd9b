#include "tests/support/ModalRun.h"

#include "framework/PendingException.h"

#include <utility>

namespace {

constexpr UINT kTimeoutMilliseconds = 10000;

struct PendingRun
{
    CDialog* dialog;
    const std::function<void()>* whileOpen;
    bool closeAfter;
};

PendingRun g_pending{};
CDialog* g_guarded = nullptr;

void CALLBACK RunWhileOpen(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    const PendingRun run = std::exchange(g_pending, PendingRun{});
    // No exception may cross the system's timer dispatch: DoModal rethrows
    // it, as it does one from a message handler.
    try {
        (*run.whileOpen)();
    } catch (...) {
        KeepPendingException();
        return;
    }
    // Posted, so that a dialog `whileOpen` has ended keeps its own result.
    if (run.closeAfter && run.dialog->m_hWnd)
        run.dialog->PostMessage(WM_COMMAND, IDCANCEL);
}

void CALLBACK EndOnTimeout(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    if (g_guarded && g_guarded->m_hWnd)
        g_guarded->EndDialog(static_cast<int>(kModalTimedOut));
}

// Ends a dialog that is still open after the time limit; gone with the run,
// however DoModal returns or throws.
class TimeLimit
{
public:
    explicit TimeLimit(CDialog& dialog)
    {
        g_guarded = &dialog;
        m_timer = ::SetTimer(nullptr, 0, kTimeoutMilliseconds, &EndOnTimeout);
    }
    ~TimeLimit()
    {
        ::KillTimer(nullptr, m_timer);
        g_guarded = nullptr;
    }
    TimeLimit(const TimeLimit&) = delete;
    TimeLimit& operator=(const TimeLimit&) = delete;

private:
    UINT_PTR m_timer;
};

INT_PTR Run(CDialog& dialog, const std::function<void()>& whileOpen, bool closeAfter)
{
    g_pending = {&dialog, &whileOpen, closeAfter};
    // A thread timer: WM_TIMER comes after everything else queued, painting included.
    ::SetTimer(nullptr, 0, 0, &RunWhileOpen);
    const TimeLimit limit(dialog);
    return dialog.DoModal();
}

} // namespace

INT_PTR RunModalWith(CDialog& dialog, const std::function<void()>& whileOpen)
{
    return Run(dialog, whileOpen, true);
}

INT_PTR RunModalUntilClosed(CDialog& dialog, const std::function<void()>& whileOpen)
{
    return Run(dialog, whileOpen, false);
}

void DiscardQueuedKeys()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) { }
}
