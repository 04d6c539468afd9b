#pragma once

#include "hotkeys/who/Claim.h"

#include <windows.h>

#include <map>
#include <set>
#include <vector>

namespace who {

// A message-only window that collects the reports hooks send it with
// WM_COPYDATA, keeping those of the right size, tag and version whose parts
// agree, as claims; and notes the hotkeys registered for it that fire.
class ReportWindow
{
public:
    // Differing claims for one combination beyond this many tell nothing more.
    static constexpr size_t kClaimsKept = 8;

    ReportWindow();
    ~ReportWindow();

    ReportWindow(const ReportWindow&) = delete;
    ReportWindow& operator=(const ReportWindow&) = delete;

    // Null when the window could not be made; GetLastError tells why.
    HWND Handle() const { return m_window; }
    // The differing claims received so far, by AskedBit of their combination,
    // each once however often it came.
    const std::map<unsigned, std::vector<Claim>>& Claims() const { return m_claims; }
    // The most reports any one claim for the combination (by AskedBit) has
    // sent: a lock key's holder takes its press twice.
    unsigned MostReports(unsigned bit) const;
    // Whether a hotkey registered for this window with the id has fired.
    bool HotkeyFired(int id) const { return m_firedHotkeys.count(id) != 0; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Take(const Claim& claim);

    HWND m_window = nullptr;
    std::map<unsigned, std::vector<Claim>> m_claims;
    // How often each claim came, in the order of m_claims.
    std::map<unsigned, std::vector<unsigned>> m_reports;
    std::set<int> m_firedHotkeys;
};

} // namespace who
