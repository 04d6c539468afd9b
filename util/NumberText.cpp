#include "util/NumberText.h"

#include <cstdint>
#include <string_view>

namespace {

constexpr int kHexadecimal = 16;
constexpr int kDecimal = 10;

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool StartsWithHexMark(std::string_view text)
{
    return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return kHexadecimal; // a digit of no base used here
}

} // namespace

// The C library's strtoul is not used: the runtime under Wine answers 1 rather
// than 4294967295 for negative numbers beyond 2^32.
DWORD ParseNumberText(CString text, int base)
{
    std::string_view rest(text);
    const int radix = base == kHexadecimal || StartsWithHexMark(rest) ? kHexadecimal : kDecimal;

    while (!rest.empty() && IsCSpace(rest.front()))
        rest.remove_prefix(1);
    const bool negative = !rest.empty() && rest.front() == '-';
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+'))
        rest.remove_prefix(1);
    if (radix == kHexadecimal && StartsWithHexMark(rest))
        rest.remove_prefix(2);

    constexpr std::uint64_t kLargest = 0xFFFFFFFF;
    std::uint64_t value = 0;
    bool overflow = false;
    for (; !rest.empty() && DigitValue(rest.front()) < radix; rest.remove_prefix(1)) {
        value = value * static_cast<std::uint64_t>(radix)
            + static_cast<std::uint64_t>(DigitValue(rest.front()));
        if (value > kLargest) {
            overflow = true;
            value = kLargest;
        }
    }
    if (overflow)
        return static_cast<DWORD>(kLargest);
    return static_cast<DWORD>(negative ? (0 - value) & kLargest : value);
}
