#include "tests/framework/ProbeDialog.h"

#include "tests/framework/TestResources.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kWhileOpen = WM_APP + 100;
constexpr UINT kEnd = WM_APP + 101;
constexpr UINT kWatchdogMs = 10000;
constexpr int kWatchdogResult = -2;

void CALLBACK Watchdog(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    ADD_FAILURE() << "a probe dialog was still open after " << kWatchdogMs << " ms";
    if (auto* dialog = static_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd)))
        dialog->EndDialog(kWatchdogResult);
}

} // namespace

std::string KeyDown(WPARAM key) { return "keydown " + std::string(1, static_cast<char>(key)); }

void PostKeyDown(HWND hWnd, WPARAM key)
{
    const UINT scanCode = ::MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    ::PostMessageA(hWnd, WM_KEYDOWN, key, static_cast<LPARAM>(1 | scanCode << 16));
}

BOOL CProbeEdit::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN)
        return FALSE;
    m_log.push_back("edit before dispatch: " + KeyDown(msg->wParam));
    return msg->wParam == m_consumedKey;
}

LRESULT CProbeEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN)
        m_log.push_back("edit window procedure: " + KeyDown(wParam));
    return CWnd::WindowProc(message, wParam, lParam);
}

BEGIN_MESSAGE_MAP(CProbeDialog, CDialog)
    ON_MESSAGE(kWhichMap, OnWhichMap)
    ON_MESSAGE(kWhileOpen, OnWhileOpen)
    ON_MESSAGE(kEnd, OnEnd)
END_MESSAGE_MAP()

CProbeDialog::CProbeDialog(CWnd* parent) : CDialog(IDD_PROBE, parent) { }

void CProbeDialog::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, IDC_EDIT, m_edit); }

BOOL CProbeDialog::OnInitDialog()
{
    m_window = m_hWnd;
    ::SetTimer(m_hWnd, 1, kWatchdogMs, &Watchdog);
    CDialog::OnInitDialog();
    if (m_whileOpen)
        PostMessage(kWhileOpen);
    if (m_onInit)
        m_onInit(*this);
    return TRUE;
}

BOOL CProbeDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN)
        m_log.push_back("dialog before dispatch: " + KeyDown(msg->wParam));
    return CDialog::PreTranslateMessage(msg);
}

void CProbeDialog::PostEnd(int result) { PostMessage(kEnd, static_cast<WPARAM>(result)); }

LRESULT CProbeDialog::OnWhileOpen(WPARAM, LPARAM)
{
    m_whileOpen(*this);
    return 0;
}

LRESULT CProbeDialog::OnEnd(WPARAM result, LPARAM)
{
    EndDialog(static_cast<int>(result));
    return 0;
}
