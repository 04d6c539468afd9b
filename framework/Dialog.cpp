#include "framework/Dialog.h"

#include "framework/PendingException.h"
#include "framework/WinApp.h"

#include <utility>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (!control.m_hWnd)
        control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) { }

INT_PTR CDialog::DoModal()
{
    const HINSTANCE instance = AfxGetResourceHandle();
    const HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(m_nIDTemplate), RT_DIALOG);
    const HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    if (!loaded)
        return -1;

    // Like the system's modal dialogs, disable the owner while this one runs.
    // An owner disabled already (by a dialog open beneath this one) is left to
    // whoever disabled it.
    const HWND owner = OwnerForModal();
    m_hWndDisabledOwner = owner && ::IsWindowEnabled(owner) ? owner : nullptr;
    if (m_hWndDisabledOwner)
        ::EnableWindow(m_hWndDisabledOwner, FALSE);

    m_bContinueModal = true;
    m_nModalResult = -1;
    const HWND created
        = ::CreateDialogIndirectParamA(instance, static_cast<LPCDLGTEMPLATEA>(::LockResource(loaded)), owner,
            &CDialog::StaticDlgProc, reinterpret_cast<LPARAM>(this));
    if (created && m_bContinueModal && m_hWnd && !::IsWindowVisible(created))
        ShowWindow(SW_SHOWNORMAL);
    if (created)
        RunModalLoop();

    // A loop that ended without EndDialog (WM_QUIT, an exception, the window
    // destroyed) still has the window to hide and the owner to give back.
    HideAndReleaseOwner();
    if (m_hWnd)
        DestroyWindow();
    RethrowPendingException();
    return m_nModalResult;
}

HWND CDialog::OwnerForModal() const
{
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    const CWnd* main = AfxGetMainWnd();
    return main && main != this ? main->m_hWnd : nullptr;
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    // From here on the dialog's messages pass through its message map.
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    dialog->SubclassWindow(hWnd);
    try {
        return dialog->OnInitDialog();
    } catch (...) {
        KeepPendingException();
        dialog->EndDialog(-1);
        return FALSE;
    }
}

void CDialog::RunModalLoop()
{
    while (m_bContinueModal) {
        // Destroyed by something other than EndDialog: a handler, or its owner going.
        if (!m_hWnd) {
            m_nModalResult = -1;
            break;
        }
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            DeleteDeadTemporaries();
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends this loop; the loop outside it must see it too.
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = -1;
            break;
        }
        if (!PreTranslateQueued(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        // A handler threw: DoModal closes the dialog, then rethrows.
        if (HasPendingException())
            break;
    }
}

bool CDialog::PreTranslateQueued(MSG& msg)
{
    // The application's filter first, then each window from the target up to
    // this dialog.
    if (::CallMsgFilterA(&msg, MSGF_DIALOGBOX))
        return true;
    // IsDialogMessage offers input to the filter once more; the application
    // has seen this message already.
    const FilteredMessageMark mark(msg);
    for (HWND hWnd = msg.hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd && wnd->PreTranslateMessage(&msg))
            return true;
        if (hWnd == m_hWnd)
            break;
    }
    return false;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    // Only input takes the dialog manager's keyboard interface (Tab, Enter, Esc).
    const bool keyboard = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
    const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    return (keyboard || mouse) && ::IsDialogMessageA(m_hWnd, msg);
}

bool CDialog::OnCmdMsg(UINT id, UINT code)
{
    if (CWnd::OnCmdMsg(id, code))
        return true;
    // Commands the dialog does not handle go on to the application.
    CWinApp* app = AfxGetApp();
    return code == 0 && app && app->OnCmdMsg(id, code);
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    m_bContinueModal = false;
    // Gone from the screen at once, even while a dialog opened from this one
    // keeps the loop from unwinding.
    HideAndReleaseOwner();
    // Wake the loop in case nothing else is queued.
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

void CDialog::HideAndReleaseOwner()
{
    // The owner first, so that activation can go back to it.
    if (const HWND owner = std::exchange(m_hWndDisabledOwner, nullptr))
        ::EnableWindow(owner, TRUE);
    if (!m_hWnd)
        return;
    const bool wasActive = ::GetActiveWindow() == m_hWnd;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
        SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    const HWND next = ::GetWindow(m_hWnd, GW_OWNER);
    if (wasActive && next && ::IsWindowEnabled(next))
        ::SetActiveWindow(next);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
