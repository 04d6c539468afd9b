// Anything on the desktop may send the report window a WM_COPYDATA.
#include "hotkeys/who/ReportWindow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

LRESULT SendCopyData(HWND window, ULONG_PTR tag, const void* data, DWORD size)
{
    COPYDATASTRUCT copy{tag, size, const_cast<void*>(data)};
    return ::SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

who::Report SampleReport()
{
    who::Report report{};
    report.version = who::kProtocolVersion;
    report.processId = 1234;
    report.combination = MAKELONG(MOD_CONTROL, 'K');
    std::strcpy(report.executable, "C:\\holder.exe");
    return report;
}

TEST(ReportWindow, KeepsOnlyWellFormedReports)
{
    const who::ReportWindow window;
    ASSERT_TRUE(window.Handle());
    who::Report report = SampleReport();

    EXPECT_FALSE(SendCopyData(window.Handle(), who::kReportTag + 1, &report, sizeof report)) << "wrong tag";
    EXPECT_FALSE(SendCopyData(window.Handle(), who::kReportTag, &report, sizeof report - 1)) << "short";
    EXPECT_FALSE(SendCopyData(window.Handle(), who::kReportTag, nullptr, 0)) << "empty";
    report.version = who::kProtocolVersion + 1;
    EXPECT_FALSE(SendCopyData(window.Handle(), who::kReportTag, &report, sizeof report)) << "other version";
    EXPECT_TRUE(window.Reports().empty());

    report = SampleReport();
    EXPECT_TRUE(SendCopyData(window.Handle(), who::kReportTag, &report, sizeof report));
    ASSERT_EQ(1u, window.Reports().size());
    EXPECT_EQ(1234u, window.Reports()[0].processId);
    EXPECT_STREQ("C:\\holder.exe", window.Reports()[0].executable);
}

TEST(ReportWindow, TerminatesAPathThatFillsItsBuffer)
{
    const who::ReportWindow window;
    who::Report report = SampleReport();
    std::memset(report.executable, 'x', sizeof report.executable);

    ASSERT_TRUE(SendCopyData(window.Handle(), who::kReportTag, &report, sizeof report));
    ASSERT_EQ(1u, window.Reports().size());
    EXPECT_EQ(who::kPathChars - 1, std::strlen(window.Reports()[0].executable));
}

} // namespace
