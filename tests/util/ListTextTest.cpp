// A list's rows as tab-separated text, through the clipboard and back, with
// a name the ANSI code page cannot hold and names that would fool a reader.
#include "text/SafeText.h"
#include "util/Clipboard.h"
#include "util/ListText.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

std::wstring ClipboardText()
{
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return L"(clipboard busy)";
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

TEST(ListText, CopiesRowsInDisplayOrderAndKeepsWideNames)
{
    ::InitCommonControls();
    CListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(::CreateWindowExA(
        0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr)));
    for (const int column : {0, 1, 2})
        list.InsertColumn(column, column == 0 ? "Key" : column == 1 ? "Code" : "Held by", LVCFMT_LEFT, 50);
    const int order[] = {1, 2, 0};
    list.SetColumnOrderArray(3, order);
    for (const int row : {0, 1, 2}) {
        list.InsertItem(row, row == 0 ? "K" : row == 1 ? "J" : "", row);
        list.SetItemText(row, 1, row == 0 ? "0x4b" : row == 1 ? "0x4a" : "0xdf");
    }
    const std::wstring clipper = L"\u526a\u8d34\u677f-\u03a9.exe (272)";
    list.SetItemText(0, 2, clipper);

    const std::wstring expected = L"Code\tHeld by\tKey\r\n"
                                  L"0xdf\t\t\r\n"
                                  L"0x4b\t"
        + clipper + L"\tK\r\n";
    EXPECT_EQ(expected, ListText(list, {2, 0})) << "the rows asked for, in that order, and no others";

    ASSERT_TRUE(PutTextOnClipboard(list.m_hWnd, ListText(list, {2, 0})));
    EXPECT_EQ(expected, ClipboardText());

    // Text another program chose, as a cell shows it and as a spreadsheet takes it.
    list.SetItemText(1, 2, ShownText(L"=HYPERLINK(1)\u202etxt.exe\u2066"));
    list.SetItemText(2, 2, L"-12");
    EXPECT_EQ(
        L"Code\tHeld by\tKey\r\n0x4a\t'=HYPERLINK(1) txt.exe \tJ\r\n0xdf\t-12\t\r\n", ListText(list, {1, 2}));
    list.DestroyWindow();
}

} // namespace
