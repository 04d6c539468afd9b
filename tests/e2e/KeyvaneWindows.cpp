#include "tests/e2e/KeyvaneWindows.h"

#include "res/resource.h"
#include "tests/e2e/BitmapOnScreen.h"

#include <string>

namespace {

constexpr char kTitlePrefix[] = "Keyvane ::";
constexpr char kDialogClass[] = "#32770";

std::string WindowText(HWND window)
{
    char text[256] = "";
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return processId;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM found)
{
    if (::IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// The visible top-level windows, topmost first.
std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void WriteRect(std::ostream& out, const std::string& name, const RECT& rect)
{
    out << name << ' ' << rect.left << ' ' << rect.top << ' ' << rect.right << ' ' << rect.bottom << '\n';
}

void WriteSize(std::ostream& out, const std::string& name, LONG width, LONG height)
{
    out << name << ' ' << width << ' ' << height << '\n';
}

RECT ClientRectOnScreen(HWND window)
{
    RECT rect{};
    ::GetClientRect(window, &rect);
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

HWND FindMainDialog(DWORD processId)
{
    for (HWND window : TopLevelWindows()) {
        if (ProcessOf(window) == processId && WindowText(window).starts_with(kTitlePrefix))
            return window;
    }
    return nullptr;
}

std::vector<HWND> FindPictures(HWND mainDialog)
{
    std::vector<HWND> pictures;
    const DWORD processId = ProcessOf(mainDialog);
    for (HWND window : TopLevelWindows()) {
        if (ProcessOf(window) == processId && ClassName(window) == kDialogClass && WindowText(window).empty())
            pictures.push_back(window);
    }
    return pictures;
}

void DescribeMainDialog(HWND dialog, std::ostream& out)
{
    RECT window{};
    ::GetWindowRect(dialog, &window);
    WriteRect(out, "window", window);
    WriteRect(out, "client", ClientRectOnScreen(dialog));

    RECT list{};
    const HWND listView = ::GetDlgItem(dialog, IDC_HOTKEY_LIST);
    ::GetWindowRect(listView, &list);
    ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&list), 2);
    WriteRect(out, "list", list);

    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    WriteRect(out, "workarea", workArea);
    out << "title " << WindowText(dialog) << '\n';

    // Where keys go: whether the dialog is the foreground window and its
    // thread's active window, and whether the list has its thread's focus.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &thread);
    out << "keyboard " << (::GetForegroundWindow() == dialog) << ' ' << (thread.hwndActive == dialog) << ' '
        << (thread.hwndFocus == listView) << '\n';
}

void DescribePicture(HWND picture, int index, const std::string& programPath, std::ostream& out)
{
    const std::string name = "picture" + std::to_string(index) + '.';
    RECT window{};
    ::GetWindowRect(picture, &window);
    WriteRect(out, name + "window", window);
    RECT client{};
    ::GetClientRect(picture, &client);
    WriteSize(out, name + "client", client.right, client.bottom);

    constexpr LONG_PTR kFrameStyles = WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME;
    constexpr LONG_PTR kFrameExStyles
        = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    out << name << "frame " << ((::GetWindowLongPtrA(picture, GWL_STYLE) & kFrameStyles) != 0) << ' '
        << ((::GetWindowLongPtrA(picture, GWL_EXSTYLE) & kFrameExStyles) != 0) << '\n';
    out << name << "title " << ::GetWindowTextLengthA(picture) << '\n';

    const HWND control = ::GetDlgItem(picture, IDC_EGG_PICTURE);
    RECT controlRect{};
    ::GetWindowRect(control, &controlRect);
    WriteSize(
        out, name + "control", controlRect.right - controlRect.left, controlRect.bottom - controlRect.top);
    out << name << "image " << (::SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0) << '\n';
    const BitmapOnScreen bitmap
        = CompareWithScreen(programPath, IDB_EGG, {controlRect.left, controlRect.top});
    WriteSize(out, name + "bitmap", bitmap.size.cx, bitmap.size.cy);
    out << name << "shown " << bitmap.shownPixels << '\n';
}
