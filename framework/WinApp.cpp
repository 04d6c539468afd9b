#include "framework/WinApp.h"

#include "framework/PendingException.h"

#include <cstdlib>
#include <utility>

namespace {

CWinApp* g_app = nullptr;

thread_local const MSG* t_filteredMessage = nullptr;

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR appName) : m_hInstance(::GetModuleHandleA(nullptr)), m_strAppName(appName)
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

BOOL CWinApp::ProcessMessageFilter(int, LPMSG) { return FALSE; }

void CWinApp::SetRegistryKey(LPCSTR registryKey) { m_strRegistryKey = registryKey; }

LRESULT CALLBACK CWinApp::MessageFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    CWinApp* app = AfxGetApp();
    const auto msg = reinterpret_cast<LPMSG>(lParam);
    if (code < 0 || !app || (code == MSGF_DIALOGBOX && FilteredMessageMark::Covers(*msg)))
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    try {
        if (app->ProcessMessageFilter(code, msg))
            return TRUE;
    } catch (...) {
        KeepPendingException();
        return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

FilteredMessageMark::FilteredMessageMark(const MSG& msg) : m_outer(std::exchange(t_filteredMessage, &msg)) { }

FilteredMessageMark::~FilteredMessageMark() { t_filteredMessage = m_outer; }

bool FilteredMessageMark::Covers(const MSG& msg)
{
    const MSG* marked = t_filteredMessage;
    return marked && msg.hwnd == marked->hwnd && msg.message == marked->message
        && msg.wParam == marked->wParam && msg.lParam == marked->lParam;
}

CMainWndScope::CMainWndScope(CWnd& mainWnd)
    : m_pOuter(g_app ? std::exchange(g_app->m_pMainWnd, &mainWnd) : nullptr)
{
}

CMainWndScope::~CMainWndScope()
{
    if (g_app)
        g_app->m_pMainWnd = m_pOuter;
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : ::GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

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
            handle = ::SetWindowsHookExA(
                WH_MSGFILTER, &CWinApp::MessageFilterHook, nullptr, ::GetCurrentThreadId());
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
