// Anything on the desktop may send the report window a WM_COPYDATA.
#include "hotkeys/who/ReportWindow.h"

#include <gtest/gtest.h>

namespace {

LRESULT SendCopyData(HWND window, ULONG_PTR tag, const void* data, DWORD size)
{
    COPYDATASTRUCT copy{tag, size, const_cast<void*>(data)};
    return ::SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

LRESULT Send(HWND window, const who::Report& report)
{
    return SendCopyData(window, who::kReportTag, &report, sizeof report);
}

// A report this thread could send for a hotkey of its own.
who::Report OwnReport()
{
    who::Report report{};
    report.version = who::kProtocolVersion;
    report.processId = ::GetCurrentProcessId();
    report.threadId = ::GetCurrentThreadId();
    report.hotkeyId = 3;
    report.combination = MAKELONG(MOD_CONTROL, 'K');
    return report;
}

const unsigned kCtrlK = who::AskedBit('K', MOD_CONTROL);

TEST(ReportWindow, KeepsOnlyWellFormedReports)
{
    const who::ReportWindow window;
    ASSERT_TRUE(window.Handle());
    who::Report report = OwnReport();

    EXPECT_FALSE(SendCopyData(window.Handle(), who::kReportTag + 1, &report, sizeof report)) << "wrong tag";
    EXPECT_FALSE(SendCopyData(window.Handle(), who::kReportTag, &report, sizeof report - 1)) << "short";
    EXPECT_FALSE(SendCopyData(window.Handle(), who::kReportTag, nullptr, 0)) << "empty";
    report.version = who::kProtocolVersion + 1;
    EXPECT_FALSE(Send(window.Handle(), report)) << "other version";
    report = OwnReport();
    report.combination = MAKELONG(MOD_CONTROL, 0x100);
    EXPECT_FALSE(Send(window.Handle(), report)) << "a key out of range";
    EXPECT_TRUE(window.Claims().empty());

    EXPECT_TRUE(Send(window.Handle(), OwnReport()));
    ASSERT_EQ(1u, window.Claims().at(kCtrlK).size());
    const who::Claim& claim = window.Claims().at(kCtrlK)[0];
    EXPECT_EQ(::GetCurrentProcessId(), claim.processId);
    EXPECT_EQ(who::ProcessImage(::GetCurrentProcessId()), claim.executable);
    EXPECT_FALSE(claim.executable.empty());
}

TEST(ReportWindow, ClaimsWhosePartsDisagreeAreDropped)
{
    const who::ReportWindow window;
    const HWND ownWindow = ::CreateWindowExW(
        0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(ownWindow);

    who::Report report = OwnReport();
    report.processId = ::GetCurrentProcessId() + 4; // a process this thread does not run in
    EXPECT_FALSE(Send(window.Handle(), report));
    report = OwnReport();
    report.window = reinterpret_cast<std::uintptr_t>(::GetDesktopWindow()); // another thread's window
    EXPECT_FALSE(Send(window.Handle(), report));
    EXPECT_TRUE(window.Claims().empty());

    report.window = reinterpret_cast<std::uintptr_t>(ownWindow);
    EXPECT_TRUE(Send(window.Handle(), report));
    EXPECT_EQ(1u, window.Claims().at(kCtrlK).size());
    ::DestroyWindow(ownWindow);
}

TEST(ReportWindow, AFloodOfClaimsKeepsEachDifferingOneOnceAndFewOfThem)
{
    const who::ReportWindow window;
    who::Report report = OwnReport();
    for (int i = 0; i < 200; ++i)
        Send(window.Handle(), report);
    EXPECT_EQ(1u, window.Claims().at(kCtrlK).size());

    for (int id = 0; id < 200; ++id) {
        report.hotkeyId = id;
        Send(window.Handle(), report);
    }
    EXPECT_EQ(who::ReportWindow::kClaimsKept, window.Claims().at(kCtrlK).size());
}

} // namespace
