// Sorting by a header click and the selection count in the title, on the real list view.
#include "tests/app/MainDialogHarness.h"
#include "tests/support/HeldHotkeys.h"
#include "tests/support/KeyInput.h"
#include "tests/support/ModalRun.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using Column = std::vector<std::string>;

const std::vector<HeldHotkeys::Combination> kHeld = {
    {MOD_CONTROL, 'A'}, {MOD_ALT | MOD_WIN, 'B'}, {MOD_CONTROL | MOD_ALT, 'Z'},
    {MOD_CONTROL | MOD_SHIFT, VK_ESCAPE}, {0, VK_F1}, {MOD_WIN, 0xBA}, // ";:"
    {MOD_CONTROL | MOD_ALT | MOD_SHIFT, 0xDB}, // "[{": between "Z" and "a" only when case is ignored
    {MOD_SHIFT, 0xDF},                         // no description
};

void ExpectNumbered(HWND list)
{
    const std::vector<ListRow> rows = ReadRows(list);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(static_cast<LPARAM>(i), rows[i].itemData) << "item data of row " << i << " after the sort";
}

class Sorting : public testing::Test
{
protected:
    HeldHotkeys m_holder{kHeld};
};

TEST_F(Sorting, ClicksAlternateTheDirectionWhateverTheColumn)
{
    ASSERT_TRUE(m_holder.Holding());
    RunMainDialog([](CKeyvaneDlg&, HWND list) {
        ClickColumnHeader(list, 0); // Key: ascending, the empty description first, case ignored
        EXPECT_EQ((Column{"", ";:", "[{", "A", "B", "Escape", "F1", "Z"}), ReadColumn(list, 0));
        ExpectNumbered(list);

        ClickColumnHeader(list, 1); // Code: descending, because the flag is shared
        EXPECT_EQ(
            (Column{"0xdf", "0xdb", "0xba", "0x70", "0x5a", "0x42", "0x41", "0x1b"}), ReadColumn(list, 1));
        ExpectNumbered(list);

        ClickColumnHeader(list, 2); // Ctrl: ascending, empty cells first
        EXPECT_EQ((Column{"", "", "", "", "Ctrl", "Ctrl", "Ctrl", "Ctrl"}), ReadColumn(list, 2));
        ExpectNumbered(list);

        ClickColumnHeader(list, 2); // Ctrl again: descending
        EXPECT_EQ((Column{"Ctrl", "Ctrl", "Ctrl", "Ctrl", "", "", "", ""}), ReadColumn(list, 2));
        ExpectNumbered(list);

        ClickColumnHeader(list, 1); // Code ascending: numeric order, since every code has one form
        EXPECT_EQ(
            (Column{"0x1b", "0x41", "0x42", "0x5a", "0x70", "0xba", "0xdb", "0xdf"}), ReadColumn(list, 1));
    });
}

TEST_F(Sorting, FollowsTheColumnNotItsPlaceOnScreen)
{
    ASSERT_TRUE(m_holder.Holding());
    RunMainDialog([](CKeyvaneDlg&, HWND list) {
        // As if the user had dragged "Code" to the front.
        std::array<int, 6> order = {1, 2, 3, 4, 5, 0};
        ASSERT_TRUE(ListView_SetColumnOrderArray(list, 6, order.data()));
        ClickColumnHeader(list, 0);
        EXPECT_EQ((Column{"", ";:", "[{", "A", "B", "Escape", "F1", "Z"}), ReadColumn(list, 0));
    });
}

TEST_F(Sorting, TitleCountsTheSelectionUnlessAltIsHeld)
{
    ASSERT_TRUE(m_holder.Holding());
    RunMainDialog([](CKeyvaneDlg& dialog, HWND list) {
        const HWND window = dialog.m_hWnd;
        ASSERT_EQ("Keyvane :: 8 Hotkeys in Use", WindowTitle(window));

        for (int row : {1, 3, 5})
            ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ("Keyvane :: 8 Hotkeys in Use :: 3 Selected", WindowTitle(window));

        {
            HeldKey alt(VK_MENU);
            ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
            EXPECT_EQ("Keyvane :: 8 Hotkeys in Use :: 3 Selected", WindowTitle(window))
                << "re-titled with Alt held";
        }
        DiscardQueuedKeys();

        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        EXPECT_EQ("Keyvane :: 8 Hotkeys in Use :: 0 Selected", WindowTitle(window))
            << "the title keeps the selected count once rows have changed";
    });
}

TEST_F(Sorting, SortThatMovesRowsRetitles)
{
    ASSERT_TRUE(m_holder.Holding());
    RunMainDialog([](CKeyvaneDlg& dialog, HWND list) {
        ClickColumnHeader(list, 0);
        EXPECT_EQ("Keyvane :: 8 Hotkeys in Use :: 0 Selected", WindowTitle(dialog.m_hWnd));
    });
}

} // namespace
