#include "hotkeys/who/Utf8.h"

#include <windows.h>

namespace who {

std::string Utf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int wide = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

} // namespace who
