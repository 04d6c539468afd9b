#include "app/KeyvaneDlg.h"

#include "about/AboutDlg.h"
#include "about/Egg.h"
#include "app/HotkeyColumns.h"
#include "app/KeyState.h"
#include "app/MinimizedIcon.h"
#include "framework/DC.h"
#include "framework/WinApp.h"
#include "hotkeys/ProbeLock.h"
#include "res/resource.h"

namespace {

// Ctrl+Alt+Shift+Win+G opens the hidden picture; registered only when Shift
// is held at start.
constexpr int kPictureHotkeyId = 666;
constexpr UINT kPictureHotkeyModifiers = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;
constexpr UINT kPictureHotkeyKey = 'G';

constexpr UINT kSystemCommandMask = 0xFFF0;

bool IsPictureKeyUp(const MSG& msg)
{
    return (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) && msg.wParam == kPictureHotkeyKey;
}

// A picture that, while it has the keyboard, tells when G goes up.
class CPicture : public CEgg
{
public:
    explicit CPicture(bool& keyHeld) : m_keyHeld(keyHeld) { }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (IsPictureKeyUp(*msg))
            m_keyHeld = false;
        return CEgg::PreTranslateMessage(msg);
    }

private:
    bool& m_keyHeld;
};

} // namespace

BEGIN_MESSAGE_MAP(CKeyvaneDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_MOVING()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_GETMINMAXINFO()
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_HOTKEY_LIST, OnColumnClick)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_HOTKEY_LIST, OnItemChanged)
    ON_MESSAGE(WM_HOTKEY, OnHotKey)
    ON_MESSAGE(WM_CONTEXTMENU, OnContextMenu)
    ON_NOTIFY(LVN_KEYDOWN, IDC_HOTKEY_LIST, OnListKeyDown)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CKeyvaneDlg::CKeyvaneDlg(CWnd* parent)
    : CDialog(IDD_KEYVANE_DIALOG, parent),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))), m_snapper(kSnapDistance)
{
}

void CKeyvaneDlg::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_HOTKEY_LIST, m_list); }

BOOL CKeyvaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AddAboutToSystemMenu();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_snapper.Attach(this, kSnapDistance, FALSE, TRUE, FALSE);
    // Registered before the census, so the list shows it as taken. If another
    // program holds it, the picture simply cannot be opened.
    // Without repeats where the system knows MOD_NOREPEAT; older ones refuse it.
    if (IsKeyHeld(VK_SHIFT)
        && !::RegisterHotKey(
            m_hWnd, kPictureHotkeyId, kPictureHotkeyModifiers | MOD_NOREPEAT, kPictureHotkeyKey))
        ::RegisterHotKey(m_hWnd, kPictureHotkeyId, kPictureHotkeyModifiers, kPictureHotkeyKey);
    TakeHotkeyCensus();
    return TRUE;
}

void CKeyvaneDlg::AddAboutToSystemMenu()
{
    CMenu systemMenu = GetSystemMenu(FALSE);
    if (!systemMenu.m_hMenu)
        return;
    CString about;
    about.LoadString(IDS_ABOUTBOX);
    if (about.IsEmpty())
        return;
    systemMenu.InsertMenu(0, MF_BYPOSITION | MF_STRING, IDM_ABOUTBOX, about);
    systemMenu.InsertMenu(1, MF_BYPOSITION | MF_SEPARATOR);
}

void CKeyvaneDlg::TakeHotkeyCensus()
{
    PrepareHotkeyList(m_list);
    std::optional<std::vector<ProbeResult>> taken = ProbeOrWarn();
    if (!taken) {
        // An empty list would claim that nothing is held.
        SetWindowText("Keyvane :: Hotkeys Unknown");
        return;
    }
    ShowRecords(std::move(*taken));
}

std::optional<std::vector<ProbeResult>> CKeyvaneDlg::ProbeOrWarn()
{
    try {
        std::vector<ProbeResult> records = CensusOf({&m_backend});
        // A combination that could not be probed says nothing about who holds it.
        std::erase_if(records, [](const ProbeResult& record) { return record.state != ProbeResult::State::Taken; });
        return records;
    } catch (const ProbeLockError& error) {
        ::MessageBoxA(m_hWnd, error.what(), "Keyvane", MB_OK | MB_ICONWARNING);
        return std::nullopt;
    }
}

void CKeyvaneDlg::ShowHotkeysInUse()
{
    CString title;
    title.Format("Keyvane :: %d Hotkeys in Use", m_list.GetItemCount());
    SetWindowText(title);
}

void CKeyvaneDlg::OnSysCommand(UINT id, LPARAM)
{
    if ((id & kSystemCommandMask) == IDM_ABOUTBOX) {
        // A modal loop opened inside a who question's wait would keep its
        // hooks in place until the box closed.
        if (m_bAsking)
            return;
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

void CKeyvaneDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client;
    GetClientRect(&client);
    const POINT origin
        = CenteredIconOrigin(client, {::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)});
    dc.DrawIcon(origin.x, origin.y, m_hIcon);
}

HCURSOR CKeyvaneDlg::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(m_hIcon); }

BOOL CKeyvaneDlg::PreTranslateMessage(MSG* msg)
{
    if (IsPictureKeyUp(*msg))
        m_bPictureKeyHeld = false;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CKeyvaneDlg::OnHotKey(WPARAM, LPARAM)
{
    // Only the picture hotkey is ever registered for this window. Held down,
    // it comes again at the keyboard's repeat rate wherever MOD_NOREPEAT is
    // ignored: a picture opens only for a press that follows a release of G.
    if (m_bPictureKeyHeld || m_bAsking)
        return 0;
    m_bPictureKeyHeld = true;
    CPicture picture(m_bPictureKeyHeld);
    picture.DoModal();
    return 0;
}
