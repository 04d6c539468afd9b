#include "framework/WinApp.h"

#include "framework/PendingException.h"

namespace {

CWinApp* g_app = nullptr;

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
    if (code < 0 || !app)
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    try {
        if (app->ProcessMessageFilter(code, reinterpret_cast<LPMSG>(lParam)))
            return TRUE;
    } catch (...) {
        KeepPendingException();
        return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : ::GetModuleHandleA(nullptr); }

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }
