// Holds one hotkey for the who tests, as a program that reads its messages does.
//
//   who_holderNN <ready event> <quit event> <pressed event> window|thread <modifiers>:<key> <id> [<title>]
//
// Registers the combination (hexadecimal) with the id for a window of its own
// (class "KeyvaneWhoHolder", title "Who holder window" unless given) or for its thread,
// signals the ready event, and reads messages until the quit event is
// signalled, signalling the pressed event on every WM_HOTKEY it gets. Exits
// with 2 when the registration fails.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

HANDLE g_pressed = nullptr;

LRESULT CALLBACK HolderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HOTKEY) {
        ::SetEvent(g_pressed);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The title may hold any character: it is read from the wide command line.
HWND CreateHolderWindow(bool titled)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HolderWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KeyvaneWhoHolder";
    ::RegisterClassW(&windowClass);
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName,
        titled && arguments && count == 8 ? arguments[7] : L"Who holder window", WS_OVERLAPPEDWINDOW, 0, 0,
        200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    ::LocalFree(arguments);
    return window;
}

} // namespace

int main(int argc, char** argv)
{
    UINT modifiers = 0;
    UINT key = 0;
    if ((argc != 7 && argc != 8) || std::sscanf(argv[5], "%x:%x", &modifiers, &key) != 2)
        return 1;
    const HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    const HANDLE quit = ::OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    g_pressed = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (!ready || !quit || !g_pressed)
        return 1;

    const HWND window = std::string_view(argv[4]) == "window" ? CreateHolderWindow(argc == 8) : nullptr;
    if (!::RegisterHotKey(window, std::atoi(argv[6]), modifiers, key)) {
        std::fprintf(
            stderr, "who_holder: %x:%x not registered, error %lu\n", modifiers, key, ::GetLastError());
        return 2;
    }
    ::SetEvent(ready);

    while (::MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_HOTKEY && !message.hwnd)
                ::SetEvent(g_pressed);
            ::DispatchMessageA(&message);
        }
    }
    return 0;
}
