// The hotkey census against hotkeys that another process really holds.
#include "tests/app/MainDialogHarness.h"
#include "tests/support/HeldHotkeys.h"
#include "tests/support/KeyInput.h"
#include "tests/support/ModalRun.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <set>
#include <string>
#include <utility>

namespace {

using Cells = std::array<std::string, 6>; // Key, Code, Ctrl, Alt, Shift, Win

bool Held(const std::vector<HeldHotkeys::Combination>& held, UINT modifiers, UINT key)
{
    for (const auto& combination : held) {
        if (combination.modifiers == modifiers && combination.key == key)
            return true;
    }
    return false;
}

// Modifiers (MOD_*) and key code.
using Combination = std::pair<UINT, UINT>;

// The combinations taken before the test begins: none on Wine's fresh
// desktop, some (many of them Win+ ones) on a real one.
std::set<Combination> DesktopBaseline()
{
    std::set<Combination> taken;
    for (UINT key = 1; key <= 255; ++key) {
        for (UINT modifiers = 0; modifiers < 16; ++modifiers) {
            if (::RegisterHotKey(nullptr, 0x7FFF, modifiers, key))
                ::UnregisterHotKey(nullptr, 0x7FFF);
            else
                taken.emplace(modifiers, key);
        }
    }
    return taken;
}

Combination RowCombination(const Cells& cells)
{
    const UINT key = static_cast<UINT>(std::stoul(cells[1], nullptr, 16));
    return {(cells[2].empty() ? 0 : MOD_CONTROL) | (cells[3].empty() ? 0 : MOD_ALT)
            | (cells[4].empty() ? 0 : MOD_SHIFT) | (cells[5].empty() ? 0 : MOD_WIN),
        key};
}

// The rows, less those of the desktop's own combinations, must be `expected`;
// every desktop combination must have its row.
void ExpectRows(HWND list, const std::set<Combination>& baseline, const std::vector<Cells>& expected)
{
    const std::vector<ListRow> rows = ReadRows(list);
    std::vector<Cells> ours;
    size_t desktops = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(static_cast<LPARAM>(i), rows[i].itemData) << "item data of row " << i;
        if (baseline.contains(RowCombination(rows[i].cells)))
            ++desktops;
        else
            ours.push_back(rows[i].cells);
    }
    EXPECT_EQ(baseline.size(), desktops) << "rows of combinations the desktop held before the test";
    ASSERT_EQ(expected.size(), ours.size()) << "rows besides the desktop's";
    for (size_t i = 0; i < ours.size(); ++i)
        EXPECT_EQ(expected[i], ours[i]) << "row " << i << " besides the desktop's";
}

std::string InUseTitle(size_t count) { return "Keyvane :: " + std::to_string(count) + " Hotkeys in Use"; }

TEST(Census, ListsExactlyWhatAnotherProgramHolds)
{
    const std::vector<HeldHotkeys::Combination> held = {
        {MOD_CONTROL | MOD_ALT, 'A'},
        {0, 'A'},
        {MOD_CONTROL | MOD_SHIFT | MOD_WIN, 'A'},
        {MOD_CONTROL, VK_F1},
        {0, VK_BACK},
        {MOD_WIN, 0x19},
        {MOD_ALT, 0x1A},
        {MOD_SHIFT, 0xDF},
        {MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_WIN, 0xFF},
    };
    const std::set<Combination> baseline = DesktopBaseline();
    HeldHotkeys holder(held);
    ASSERT_TRUE(holder.Holding()) << "the helper process could not take its hotkeys";

    RunMainDialog([&](CKeyvaneDlg& dialog, HWND list) {
        // Lowest key first; within a key, Ctrl+Alt+Shift+Win down to the key alone.
        ExpectRows(list, baseline,
            {
                {"Backspace", "0x08", "", "", "", ""},
                {"Hanja Mode", "0x19", "", "", "", "Win"},
                {"Kanji Mode", "0x1a", "", "Alt", "", ""},
                {"A", "0x41", "Ctrl", "Alt", "", ""},
                {"A", "0x41", "Ctrl", "", "Shift", "Win"},
                {"A", "0x41", "", "", "", ""},
                {"F1", "0x70", "Ctrl", "", "", ""},
                {"", "0xdf", "", "", "Shift", ""},
                {"<Reserved>", "0xff", "Ctrl", "Alt", "Shift", "Win"},
            });
        EXPECT_EQ(InUseTitle(baseline.size() + 9), WindowTitle(dialog.m_hWnd));

        // The census gave back every combination it tried: all the others are free.
        std::vector<std::pair<UINT, UINT>> notFree;
        for (UINT key = 1; key <= 255; ++key) {
            for (UINT modifiers = 0; modifiers < 16; ++modifiers) {
                if (Held(held, modifiers, key) || baseline.contains({modifiers, key}))
                    continue;
                if (::RegisterHotKey(nullptr, 0x7FFF, modifiers, key))
                    ::UnregisterHotKey(nullptr, 0x7FFF);
                else
                    notFree.emplace_back(modifiers, key);
            }
        }
        EXPECT_TRUE(notFree.empty()) << notFree.size() << " combinations still taken after the census, first "
                                     << std::hex << notFree.front().first << ":" << notFree.front().second;
    });
}

TEST(Census, NothingHeldListsOnlyTheDesktopsOwn)
{
    const std::set<Combination> baseline = DesktopBaseline();
    RunMainDialog([&](CKeyvaneDlg& dialog, HWND list) {
        ExpectRows(list, baseline, {});
        EXPECT_EQ(InUseTitle(baseline.size()), WindowTitle(dialog.m_hWnd));
    });
}

TEST(Census, ListHasItsColumnsAndStyles)
{
    RunMainDialog([](CKeyvaneDlg&, HWND list) {
        EXPECT_EQ(static_cast<DWORD>(
                      LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB),
            ListView_GetExtendedListViewStyle(list));

        const std::array<std::pair<std::string, int>, 6> columns
            = {{{"Key", 150}, {"Code", 50}, {"Ctrl", 50}, {"Alt", 50}, {"Shift", 50}, {"Win", 50}}};
        for (int i = 0; i < 6; ++i) {
            char title[32] = {};
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.pszText = title;
            column.cchTextMax = sizeof title;
            ASSERT_TRUE(ListView_GetColumn(list, i, &column)) << "column " << i;
            EXPECT_EQ(columns[static_cast<size_t>(i)].first, title) << "title of column " << i;
            EXPECT_EQ(columns[static_cast<size_t>(i)].second, column.cx) << "width of column " << i;
            EXPECT_EQ(LVCFMT_LEFT, column.fmt & LVCFMT_JUSTIFYMASK) << "format of column " << i;
        }

        std::array<int, 6> order{};
        ASSERT_TRUE(ListView_GetColumnOrderArray(list, 6, order.data()));
        EXPECT_EQ((std::array<int, 6>{2, 3, 4, 5, 0, 1}), order)
            << "display order: Ctrl Alt Shift Win Key Code";
    });
}

TEST(Census, ShiftHeldAtStartListsThePictureHotkey)
{
    const Cells pictureRow = {"G", "0x47", "Ctrl", "Alt", "Shift", "Win"};
    const auto listsPictureRow = [&](HWND list) {
        for (const ListRow& row : ReadRows(list)) {
            if (row.cells == pictureRow)
                return true;
        }
        return false;
    };

    const std::set<Combination> baseline = DesktopBaseline();
    if (baseline.contains({MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_WIN, 'G'}))
        GTEST_SKIP() << "another program holds Ctrl+Alt+Shift+Win+G";
    {
        HeldKey shift(VK_SHIFT);
        RunMainDialog([&](CKeyvaneDlg& dialog, HWND list) {
            EXPECT_TRUE(listsPictureRow(list)) << "the program's own Ctrl+Alt+Shift+Win+G is missing";
            EXPECT_EQ(InUseTitle(baseline.size() + 1), WindowTitle(dialog.m_hWnd));
        });
    }
    DiscardQueuedKeys();

    RunMainDialog([&](CKeyvaneDlg&, HWND list) {
        EXPECT_FALSE(listsPictureRow(list)) << "without Shift the picture hotkey must not be registered";
        SetLastError(0xdeadbeef);
        EXPECT_TRUE(::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_WIN, 'G'))
            << "Ctrl+Alt+Shift+Win+G taken, error " << ::GetLastError();
        ::UnregisterHotKey(nullptr, 1);
    });
}

} // namespace
