#pragma once

#include "hotkeys/who/WhoProtocol.h"

#include <windows.h>

#include <vector>

namespace who {

// A message-only window that collects the reports hooks send it with
// WM_COPYDATA, keeping those of the right size, tag and version.
class ReportWindow
{
public:
    ReportWindow();
    ~ReportWindow();

    ReportWindow(const ReportWindow&) = delete;
    ReportWindow& operator=(const ReportWindow&) = delete;

    // Null when the window could not be made; GetLastError tells why.
    HWND Handle() const { return m_window; }
    // Reports received so far, each with its executable path terminated.
    const std::vector<Report>& Reports() const { return m_reports; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    std::vector<Report> m_reports;
};

} // namespace who
