#include "about/AboutDlg.h"

#include "about/ToolTips.h"
#include "about/VersionInfo.h"
#include "framework/WinApp.h"
#include "res/resource.h"

namespace {

constexpr int kMakerIconSize = 64;
constexpr int kAppIconSize = 48;

constexpr int kVersionLength = 100;

constexpr char kWebsiteURL[] = "http://www.tavrole.example/Tavrole.inc/Quillmark/Keyvane/";
// The ### marks are for the user to fill in.
constexpr char kEmailURL[] = "mailto:support@tavrole.example?Subject=Keyvane: ###&Body=###";

// The box's own link colours, whatever the browser's are.
constexpr COLORREF kLinkColour = RGB(0, 128, 255);
constexpr COLORREF kHoverColour = RGB(0, 255, 128);
constexpr COLORREF kVisitedColour = RGB(128, 0, 255);
constexpr COLORREF kActiveColour = RGB(255, 0, 128);
constexpr UINT kLinkFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

constexpr int kTipWidth = 250;
constexpr int kTipShownMilliseconds = 10000;
constexpr int kTipDelayMilliseconds = 1000;
constexpr int kTipReshowMilliseconds = 500;

void SetUpLink(CHyperLinkButton& link, LPCSTR url)
{
    link.m_strURL = url;
    link.m_crLink = kLinkColour;
    link.m_crHover = kHoverColour;
    link.m_crVisited = kVisitedColour;
    link.m_crActive = kActiveColour;
    link.m_nFormat = kLinkFormat;
    link.SizeToText();
}

} // namespace

CAboutDlg::CAboutDlg()
    : CDialog(IDD_ABOUTBOX), m_hMakerIcon(AfxGetInstanceHandle(), IDI_MAKER, kMakerIconSize),
      m_hAppIcon(AfxGetInstanceHandle(), IDR_MAINFRAME, kAppIconSize)
{
}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_WEBSITE, m_btnWebsite);
    DDX_Control(dx, IDC_EMAIL, m_btnEmail);
    DDX_Control(dx, IDC_MAKER_ICON, m_stcMakerIcon);
    DDX_Control(dx, IDC_APP_ICON, m_stcAppIcon);
}

BOOL CAboutDlg::PreTranslateMessage(MSG* msg)
{
    // The tooltip sees the pointer only through what is relayed to it.
    if (m_ToolTip.m_hWnd)
        m_ToolTip.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // An icon that did not load leaves the template's icon in place.
    if (m_hMakerIcon.GetSafeHandle())
        m_stcMakerIcon.SetIcon(m_hMakerIcon.GetSafeHandle());
    if (m_hAppIcon.GetSafeHandle())
        m_stcAppIcon.SetIcon(m_hAppIcon.GetSafeHandle());
    ShowVersion();
    SetUpLink(m_btnWebsite, kWebsiteURL);
    SetUpLink(m_btnEmail, kEmailURL);
    AddToolTipsToControls();
    return TRUE;
}

void CAboutDlg::ShowVersion()
{
    // Without a readable version the text stays empty rather than the template's.
    char version[kVersionLength] = {};
    CVersionInfo info;
    info.OpenModule(AfxGetResourceHandle());
    info.QueryString("ProductVersion", version, kVersionLength);
    GetDlgItem(IDC_VERSION)->SetWindowText(version);
}

void CAboutDlg::AddToolTipsToControls()
{
    // A tooltip that cannot be made or added is simply left out.
    m_ToolTip.Create(this);
    m_ToolTip.SetMaxTipWidth(kTipWidth);
    m_ToolTip.SetDelayTime(TTDT_AUTOPOP, kTipShownMilliseconds);
    m_ToolTip.SetDelayTime(TTDT_INITIAL, kTipDelayMilliseconds);
    m_ToolTip.SetDelayTime(TTDT_RESHOW, kTipReshowMilliseconds);
    m_ToolTip.AddTool(this, "About Box.");
    AddToolTips(this, &m_ToolTip, g_aboutToolTips);
    m_ToolTip.Activate(TRUE);
}
