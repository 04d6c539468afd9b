#include "framework/PendingException.h"
#include "framework/WinApp.h"

#include <cstdlib>

// The program's entry point: it hands over to the one application object.
int RunApplication()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return EXIT_FAILURE;

    struct FilterHook
    {
        HHOOK& handle;
        explicit FilterHook(HHOOK& slot) : handle(slot)
        {
            handle = ::SetWindowsHookExA(WH_MSGFILTER, &CWinApp::MessageFilterHook, nullptr, ::GetCurrentThreadId());
        }
        ~FilterHook()
        {
            if (handle)
                ::UnhookWindowsHookEx(handle);
            handle = nullptr;
        }
    } hook(app->m_hMessageFilter);

    try {
        // InitInstance returning FALSE is the normal end: the program has no
        // message loop outside its dialogs.
        app->InitInstance();
        return EXIT_SUCCESS;
    } catch (...) {
        // Failures are not shown to the user; the exit code tells.
        return EXIT_FAILURE;
    }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunApplication(); }
