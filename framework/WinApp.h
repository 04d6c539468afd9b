#pragma once

#include "framework/CmdTarget.h"
#include "framework/String.h"

class CWnd;

// The framework's help command.
constexpr UINT ID_HELP = 0xE146;

// The application object. Exactly one exists, constructed as a global before
// the entry point runs; the entry point calls InitInstance and ends the
// program when it returns.
class CWinApp : public CCmdTarget
{
    DECLARE_MESSAGE_MAP()

public:
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();

    // Sees the messages of modal loops (the framework's and the system's:
    // dialogs, menus, moving and sizing) through the thread's WH_MSGFILTER
    // hook; TRUE consumes the message.
    virtual BOOL ProcessMessageFilter(int code, LPMSG msg);

    void SetRegistryKey(LPCSTR registryKey);

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;
    CString m_strRegistryKey;

protected:
    // No help file comes with the framework: asking for help shows nothing.
    void OnHelp() { }

private:
    friend int RunApplication();
    static LRESULT CALLBACK MessageFilterHook(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_hMessageFilter = nullptr;
};

// While it lives, the message filter hook passes over `msg` if the system
// offers it once more (IsDialogMessage does): a modal loop that has filtered
// the message already marks it so.
class FilteredMessageMark
{
public:
    explicit FilteredMessageMark(const MSG& msg);
    ~FilteredMessageMark();
    FilteredMessageMark(const FilteredMessageMark&) = delete;
    FilteredMessageMark& operator=(const FilteredMessageMark&) = delete;

    static bool Covers(const MSG& msg);

private:
    const MSG* m_outer;
};

// Makes a window the application's main window for the lifetime of the
// object, however the scope is left, and then restores the one before.
class CMainWndScope
{
public:
    explicit CMainWndScope(CWnd& mainWnd);
    ~CMainWndScope();
    CMainWndScope(const CMainWndScope&) = delete;
    CMainWndScope& operator=(const CMainWndScope&) = delete;

private:
    CWnd* m_pOuter;
};

// What the entry point does: installs the thread's message filter hook for
// the application object, runs its InitInstance and returns the exit code.
int RunApplication();

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
