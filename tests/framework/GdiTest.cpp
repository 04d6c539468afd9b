// Fonts owned and borrowed, drawing-context operations, window styles.
#include "framework/DC.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

namespace {

LOGFONTA TestLogFont()
{
    LOGFONTA logFont{};
    logFont.lfHeight = -12;
    lstrcpyA(logFont.lfFaceName, "Tahoma");
    return logFont;
}

TEST(CFont, OwnedFontGoesWithItsObjectBorrowedOneStays)
{
    const LOGFONTA logFont = TestLogFont();
    HFONT first = nullptr, second = nullptr;
    {
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&logFont));
        first = font;
        ASSERT_TRUE(font.CreateFontIndirect(&logFont));
        second = font;
        EXPECT_EQ(0u, ::GetObjectType(first)) << "making another font deletes the first";
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(second));

        const CFontHandle borrowed(second);
        LOGFONTA read{};
        EXPECT_TRUE(borrowed.GetLogFont(&read));
        EXPECT_EQ(-12, read.lfHeight);
        {
            const CFontHandle copy = borrowed;
        }
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(second))
            << "a borrowed handle deletes nothing";
    }
    EXPECT_EQ(0u, ::GetObjectType(second)) << "the owner deletes its font";
}

TEST(CDC, SelectsMeasuresAndDraws)
{
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 64, 32);
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    {
        CDC dc(memory);
        const LOGFONTA logFont = TestLogFont();
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&logFont));
        const HFONT original = static_cast<HFONT>(::GetCurrentObject(memory, OBJ_FONT));
        const CFontHandle previous = dc.SelectObject(font);
        EXPECT_EQ(original, previous.m_hFont);
        EXPECT_EQ(font.m_hFont, ::GetCurrentObject(memory, OBJ_FONT));

        SIZE expected{};
        ::GetTextExtentPoint32A(memory, "Link", 4, &expected);
        const SIZE extent = dc.GetTextExtent("Link", 4);
        EXPECT_EQ(expected.cx, extent.cx);
        EXPECT_EQ(expected.cy, extent.cy);
        EXPECT_GT(extent.cx, 0);

        EXPECT_EQ(OPAQUE, dc.SetBkMode(TRANSPARENT));
        EXPECT_EQ(TRANSPARENT, ::GetBkMode(memory));
        dc.SetTextColor(RGB(1, 2, 3));
        EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(memory));
        dc.SelectObject(previous);
    }
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

TEST(CWnd, ModifyStyleChangesOnlyTheGivenBits)
{
    const HWND hWnd = ::CreateWindowExA(
        0, "Button", "x", WS_POPUP | BS_DEFPUSHBUTTON, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(hWnd);
    CWnd* wnd = CWnd::FromHandle(hWnd);
    EXPECT_TRUE(wnd->ModifyStyle(BS_DEFPUSHBUTTON, BS_OWNERDRAW));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP | BS_OWNERDRAW),
        ::GetWindowLongPtrA(hWnd, GWL_STYLE) & ~WS_CLIPSIBLINGS);
    EXPECT_FALSE(wnd->ModifyStyle(0, BS_OWNERDRAW)) << "nothing to change";
    ::DestroyWindow(hWnd);
}

} // namespace
