#include "hotkeys/who/ReportWindow.h"

#include <algorithm>
#include <cstring>

namespace who {

namespace {

constexpr wchar_t kClassName[] = L"KeyvaneWhoReports";

HINSTANCE ProgramInstance() { return ::GetModuleHandleW(nullptr); }

} // namespace

ReportWindow::ReportWindow()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ProgramInstance();
    windowClass.lpszClassName = kClassName;
    // Registered once per process; a second query finds it there.
    ::RegisterClassW(&windowClass);
    m_window = ::CreateWindowExW(
        0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ProgramInstance(), nullptr);
    if (!m_window)
        return;
    ::SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Owners at a lower integrity level may send their reports too. Where the
    // system has no such levels there is nothing to allow.
    ::ChangeWindowMessageFilterEx(m_window, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
}

ReportWindow::~ReportWindow()
{
    if (m_window)
        ::DestroyWindow(m_window);
}

void ReportWindow::Take(const Claim& claim)
{
    const unsigned bit = AskedBit(claim.key, claim.modifiers);
    std::vector<Claim>& claims = m_claims[bit];
    std::vector<unsigned>& reports = m_reports[bit];
    const auto known = std::find(claims.begin(), claims.end(), claim);
    if (known != claims.end()) {
        ++reports[static_cast<size_t>(known - claims.begin())];
    } else if (claims.size() < kClaimsKept) {
        claims.push_back(claim);
        reports.push_back(1);
    }
}

unsigned ReportWindow::MostReports(unsigned bit) const
{
    const auto reports = m_reports.find(bit);
    return reports == m_reports.end() || reports->second.empty()
        ? 0
        : *std::max_element(reports->second.begin(), reports->second.end());
}

LRESULT CALLBACK ReportWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ReportWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_HOTKEY && self) {
        self->m_firedHotkeys.insert(static_cast<int>(wParam));
        return 0;
    }
    if (message != WM_COPYDATA)
        return ::DefWindowProcW(window, message, wParam, lParam);
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    // Anything on the desktop can send this window a WM_COPYDATA.
    if (!self || data.dwData != kReportTag || data.cbData != sizeof(Report))
        return FALSE;
    Report report;
    std::memcpy(&report, data.lpData, sizeof report);
    if (report.version != kProtocolVersion)
        return FALSE;
    const std::optional<Claim> claim = CheckReport(report);
    if (!claim)
        return FALSE;
    self->Take(*claim);
    return TRUE;
}

} // namespace who
