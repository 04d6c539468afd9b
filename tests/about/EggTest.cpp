// The hidden picture window, in process: what it looks like and how it closes.
#include "about/Egg.h"
#include "res/resource.h"
#include "tests/support/ModalRun.h"

#include <gtest/gtest.h>

namespace {

TEST(Egg, IsTheBarePicture)
{
    CEgg picture;
    RunModalWith(picture, [&] {
        const HWND window = picture.m_hWnd;
        const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
        EXPECT_FALSE(style & WS_CAPTION) << "style " << std::hex << style;
        EXPECT_FALSE(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) << "style " << std::hex << style;
        EXPECT_TRUE(::IsWindowVisible(window));

        RECT windowRect{}, client{};
        ::GetWindowRect(window, &windowRect);
        ::GetClientRect(window, &client);
        EXPECT_EQ(windowRect.right - windowRect.left, client.right) << "no frame around the client area";

        const HWND pictureControl = ::GetDlgItem(window, IDC_EGG_PICTURE);
        const auto bitmap
            = reinterpret_cast<HBITMAP>(::SendMessageA(pictureControl, STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP info{};
        ASSERT_EQ(static_cast<int>(sizeof info), ::GetObjectA(bitmap, sizeof info, &info));
        EXPECT_EQ(84, info.bmWidth);
        EXPECT_EQ(68, info.bmHeight);
    });
}

TEST(Egg, DoubleClickAndEscCloseIt)
{
    for (const UINT message : {UINT{WM_LBUTTONDBLCLK}, UINT{WM_KEYDOWN}}) {
        CEgg picture;
        const INT_PTR result = RunModalUntilClosed(picture, [&] {
            if (message == WM_KEYDOWN)
                ::PostMessageA(picture.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            else
                ::PostMessageA(picture.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
        });
        EXPECT_EQ(IDCANCEL, result) << (message == WM_KEYDOWN ? "Esc" : "double click");
    }
}

} // namespace
