// Stands in for a running tool for the census's tests: its process, and for
// each title given a hidden top-level window of class "AutoHotkey", as every
// running AutoHotkey script has. Copied as PowerToys.exe, its process name
// stands in for PowerToys'.
//
//   tool_standin <ready event> <quit event> [window title]...   (titles UTF-8)
//
// Signals the ready event once its windows exist, and ends when the quit
// event is signalled, reading its messages meanwhile.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kScriptWindowClass[] = L"AutoHotkey";

} // namespace

int main()
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments || count < 3)
        return 1;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kScriptWindowClass;
    if (count > 3 && !::RegisterClassW(&windowClass))
        return 1;
    for (int i = 3; i < count; ++i) {
        if (!::CreateWindowExW(0, kScriptWindowClass, arguments[i], WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                nullptr, nullptr, windowClass.hInstance, nullptr))
            return 1;
    }
    const HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, arguments[1]);
    const HANDLE quit = ::OpenEventW(SYNCHRONIZE, FALSE, arguments[2]);
    if (!ready || !quit)
        return 1;
    ::SetEvent(ready);
    while (::MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
    }
    return 0;
}
