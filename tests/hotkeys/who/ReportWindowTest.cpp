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
    EXPECT_TRUE(window.Claims().empty());

    EXPECT_TRUE(Send(window.Handle(), OwnReport()));
    ASSERT_EQ(1u, window.Claims().at(kCtrlK).size());
    const who::Claim& claim = window.Claims().at(kCtrlK)[0];
    EXPECT_EQ(::GetCurrentProcessId(), claim.processId);
    EXPECT_EQ(who::ProcessImage(::GetCurrentProcessId()), claim.executable);
    EXPECT_FALSE(claim.executable.empty());
}

} // namespace
