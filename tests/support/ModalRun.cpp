#include "tests/support/ModalRun.h"

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
    (*run.whileOpen)();
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

INT_PTR Run(CDialog& dialog, const std::function<void()>& whileOpen, bool closeAfter)
{
    g_pending = {&dialog, &whileOpen, closeAfter};
    // A thread timer: WM_TIMER comes after everything else queued, painting included.
    ::SetTimer(nullptr, 0, 0, &RunWhileOpen);
    g_guarded = &dialog;
    const UINT_PTR guard = ::SetTimer(nullptr, 0, kTimeoutMilliseconds, &EndOnTimeout);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, guard);
    g_guarded = nullptr;
    return result;
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
