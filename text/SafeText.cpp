#include "text/SafeText.h"

#include <algorithm>
#include <array>

namespace {

// Embeddings and overrides, isolates, the directional marks and the Arabic letter mark.
constexpr std::array<std::pair<char32_t, char32_t>, 4> kBidiControls = {{
    {0x061C, 0x061C},
    {0x200E, 0x200F},
    {0x202A, 0x202E},
    {0x2066, 0x2069},
}};

} // namespace

bool IsControlCharacter(char32_t codePoint)
{
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

bool IsHiddenControl(char32_t codePoint)
{
    return IsControlCharacter(codePoint)
        || std::any_of(kBidiControls.begin(), kBidiControls.end(),
            [&](auto range) { return codePoint >= range.first && codePoint <= range.second; });
}

std::wstring ShownText(std::wstring text)
{
    for (wchar_t& unit : text) {
        if (IsHiddenControl(static_cast<char32_t>(unit)))
            unit = L' ';
    }
    return text;
}
