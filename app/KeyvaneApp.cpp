#include "app/KeyvaneApp.h"

#include "app/KeyvaneDlg.h"
#include "hotkeys/ProbeLock.h"
#include "res/resource.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CKeyvaneApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CKeyvaneApp::CKeyvaneApp() : CWinApp(nullptr) { }

BOOL CKeyvaneApp::InitInstance()
{
    ::InitCommonControls();
    CWinApp::InitInstance();
    SetRegistryKey("Tavrole inc.\\Quillmark");
    // The resources hold no accelerator table: this stays null and the
    // filter below passes every message on.
    m_hAccel = ::LoadAcceleratorsA(m_hInstance, MAKEINTRESOURCEA(IDR_ACCELERATOR));

    // A census that waits for another probe's lock shows it, not a frozen window.
    ProbeLock::WaitNotice() = [] { ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); };

    CKeyvaneDlg dialog;
    const CMainWndScope mainWnd(dialog);
    dialog.DoModal();
    // No message loop of our own: the program ends with its dialog.
    return FALSE;
}

BOOL CKeyvaneApp::ProcessMessageFilter(int code, LPMSG msg)
{
    if (code < 0)
        return CWinApp::ProcessMessageFilter(code, msg);
    if (m_hAccel && m_pMainWnd && m_pMainWnd->IsWindowEnabled()
        && ::TranslateAcceleratorA(m_pMainWnd->m_hWnd, m_hAccel, msg))
        return TRUE;
    return CWinApp::ProcessMessageFilter(code, msg);
}
