#include "tests/support/ModalRun.h"

#include <utility>

namespace {

struct PendingRun
{
    CDialog* dialog;
    const std::function<void()>* whileOpen;
};

PendingRun g_pending{};

void CALLBACK RunWhileOpen(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    const PendingRun run = std::exchange(g_pending, PendingRun{});
    (*run.whileOpen)();
    if (run.dialog->m_hWnd)
        run.dialog->EndDialog(IDCANCEL);
}

} // namespace

INT_PTR RunModalWith(CDialog& dialog, const std::function<void()>& whileOpen)
{
    g_pending = {&dialog, &whileOpen};
    // A thread timer: WM_TIMER comes after everything else queued, painting included.
    ::SetTimer(nullptr, 0, 0, &RunWhileOpen);
    return dialog.DoModal();
}

void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void DiscardQueuedKeys()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}
