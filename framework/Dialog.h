#pragma once

#include "framework/Wnd.h"

class CDataExchange
{
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate)
    {
    }

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds a member control object to the dialog's control with that id (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// A dialog from a template resource, run modally by its own message loop so
// that the application's message filter and the PreTranslateMessage of the
// dialog and of its controls see every queued message.
class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
    DECLARE_MESSAGE_MAP()

public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* msg) override;
    bool OnCmdMsg(UINT id, UINT code) override;

protected:
    virtual void DoDataExchange(CDataExchange*) { }
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

private:
    static INT_PTR CALLBACK StaticDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerForModal() const;
    void RunModalLoop();
    void HideAndReleaseOwner();
    bool PreTranslateQueued(MSG& msg);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bContinueModal = false;
    // The owner this dialog disabled, until it enables it again.
    HWND m_hWndDisabledOwner = nullptr;
    INT_PTR m_nModalResult = -1;
};
