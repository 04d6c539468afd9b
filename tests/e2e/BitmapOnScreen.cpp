#include "tests/e2e/BitmapOnScreen.h"

#include <memory>
#include <type_traits>
#include <vector>

namespace {

struct ObjectDeleter
{
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDeleter>;

struct ModuleDeleter
{
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

// The bitmap's pixels as 0x00RRGGBB values, top row first.
std::vector<DWORD> Pixels(HDC dc, HBITMAP bitmap, SIZE size)
{
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = -size.cy;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    if (!::GetDIBits(dc, bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &format, DIB_RGB_COLORS))
        pixels.clear();
    for (DWORD& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

} // namespace

BitmapOnScreen CompareWithScreen(const std::string& programPath, int id, POINT origin)
{
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter> program(::LoadLibraryExA(
        programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!program)
        return {};
    const Bitmap picture(static_cast<HBITMAP>(
        ::LoadImageA(program.get(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!picture || !::GetObjectA(picture.get(), sizeof info, &info))
        return {};
    const SIZE size{info.bmWidth, info.bmHeight};

    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const Bitmap shot(::CreateCompatibleBitmap(screen, size.cx, size.cy));
    const HGDIOBJ previous = ::SelectObject(memory, shot.get());
    ::BitBlt(memory, 0, 0, size.cx, size.cy, screen, origin.x, origin.y, SRCCOPY);
    ::SelectObject(memory, previous);

    const std::vector<DWORD> expected = Pixels(memory, picture.get(), size);
    const std::vector<DWORD> shown = Pixels(memory, shot.get(), size);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    long same = 0;
    for (size_t i = 0; i < expected.size() && i < shown.size(); ++i)
        same += expected[i] == shown[i];
    return {size, same};
}
