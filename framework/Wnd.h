#pragma once

#include "framework/CmdTarget.h"
#include "framework/Menu.h"
#include "framework/String.h"

// A window object. Windows created or subclassed through the framework are
// "permanent": their messages run through this object's message map until
// WM_NCDESTROY. FromHandle wraps any other window in a temporary object that
// lives as long as its window.
class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
    DECLARE_MESSAGE_MAP()

public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Routes the window's messages through this object; calls PreSubclassWindow first.
    bool SubclassWindow(HWND hWnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);

    // Insert-after values for SetWindowPos.
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    CWnd* GetDlgItem(int id) const;
    CMenu GetSystemMenu(BOOL revert) const;

    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL ShowWindow(int command);
    BOOL IsIconic() const;
    BOOL IsWindowEnabled() const;
    int GetDlgCtrlID() const;
    // Changes the style bits only: a change of frame is not shown until the window is moved or sized.
    void ModifyStyle(DWORD remove, DWORD add);
    BOOL DestroyWindow();
    // Turns the window's repainting off while it takes many changes, and on again.
    void SetRedraw(BOOL redraw);

    void SetWindowText(LPCSTR text);
    void GetWindowText(CString& text) const;

    // Passes the message being handled on to the window's own procedure.
    LRESULT Default();

    // Sees every queued message bound for this window or its children before
    // it is dispatched; true consumes it.
    virtual BOOL PreTranslateMessage(MSG* msg);

protected:
    virtual void PreSubclassWindow() { }
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // A parent offers the control its own notifications (WM_COMMAND, WM_NOTIFY,
    // WM_DRAWITEM) first; true when the control handled them.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    void Attach(HWND hWnd);

    // Runs inside the window procedure; no C++ exception leaves it.
    static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Deletes the temporary objects of windows that no longer exist.
    static void DeleteDeadTemporaries();

private:
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) { }
    bool ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    bool OnNotify(LPARAM lParam, LRESULT* result);
    void DetachAfterNcDestroy();

    WNDPROC m_pfnSuper = nullptr;
    // In the handle map, from Attach until WM_NCDESTROY.
    bool m_bPermanent = false;
};
