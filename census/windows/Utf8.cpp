#include "census/windows/Utf8.h"

#include <windows.h>

std::string Utf8FromWide(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int wideLength = static_cast<int>(text.size());
    const int length
        = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string utf8(static_cast<size_t>(length), '\0');
    const int written
        = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(written > 0 ? written : 0));
    return utf8;
}
