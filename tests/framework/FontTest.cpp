// Fonts owned and borrowed.
#include "framework/Font.h"

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

} // namespace
