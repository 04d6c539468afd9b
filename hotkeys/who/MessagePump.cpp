#include "hotkeys/who/MessagePump.h"

#include <optional>

namespace who {

namespace {

// Keeps the exit code of a WM_QUIT instead of dispatching it.
void DispatchPending(std::optional<WPARAM>& quit)
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = message.wParam;
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

} // namespace

DWORD WaitDispatching(const std::vector<HANDLE>& handles, DWORD timeoutMs, const std::function<bool()>& done)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    const auto count = static_cast<DWORD>(handles.size());
    std::optional<WPARAM> quit;
    DWORD result = WAIT_TIMEOUT;
    for (;;) {
        // Messages that came before the wait would not wake it.
        DispatchPending(quit);
        if (done && done())
            break;
        const ULONGLONG now = ::GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        const DWORD woke
            = ::MsgWaitForMultipleObjectsEx(count, handles.data(), left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke < WAIT_OBJECT_0 + count) {
            result = woke - WAIT_OBJECT_0;
            break;
        }
        if (woke == WAIT_FAILED) {
            result = WAIT_FAILED;
            break;
        }
        if (woke == WAIT_TIMEOUT || left == 0)
            break;
    }
    if (quit)
        ::PostQuitMessage(static_cast<int>(*quit));
    return result;
}

} // namespace who
