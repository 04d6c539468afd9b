// Reading unsigned numbers from text: fixed cases, and random texts against a
// reference reading written here from the C standard's account of strtoul.
#include "util/NumberText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <random>
#include <string>

namespace {

constexpr DWORD kLargest = 4294967295;

TEST(ParseNumberText, Decimal)
{
    EXPECT_EQ(255u, ParseNumberText("255", 10));
    EXPECT_EQ(12u, ParseNumberText("  \t12", 10)) << "leading blanks are skipped";
    EXPECT_EQ(12u, ParseNumberText("12abc", 10)) << "reading stops at the first non-digit";
    EXPECT_EQ(300u, ParseNumberText("300", 10));
    EXPECT_EQ(7u, ParseNumberText("007", 10));
    EXPECT_EQ(0u, ParseNumberText("", 10));
    EXPECT_EQ(0u, ParseNumberText("abc", 10));
    EXPECT_EQ(0u, ParseNumberText("ff", 10)) << "no hexadecimal without the mark";
    EXPECT_EQ(0u, ParseNumberText("- 1", 10)) << "nothing between the sign and the digits";
    EXPECT_EQ(kLargest, ParseNumberText("4294967295", 10));
}

TEST(ParseNumberText, HexadecimalMark)
{
    EXPECT_EQ(128u, ParseNumberText("0x80", 10));
    EXPECT_EQ(128u, ParseNumberText("0X80", 10));
    EXPECT_EQ(255u, ParseNumberText("0xff", 10)) << "hexadecimal digits in either case";
    EXPECT_EQ(0u, ParseNumberText(" 0x80", 10)) << "the mark counts only at the very start";
    EXPECT_EQ(0u, ParseNumberText("+0x80", 10)) << "the mark counts only at the very start";
    EXPECT_EQ(0u, ParseNumberText("0x", 10));
    EXPECT_EQ(255u, ParseNumberText("FF", 16));
    EXPECT_EQ(16u, ParseNumberText("0x10", 16));
    EXPECT_EQ(16u, ParseNumberText(" 0X10", 16)) << "asked for base 16, the mark may follow blanks";
    EXPECT_EQ(0xABCu, ParseNumberText("abcg1", 16));
}

TEST(ParseNumberText, SignsAndOverflow)
{
    EXPECT_EQ(kLargest, ParseNumberText("-1", 10)) << "minus negates modulo 2^32";
    EXPECT_EQ(4294967040u, ParseNumberText("-256", 10));
    EXPECT_EQ(5u, ParseNumberText("+5", 10));
    EXPECT_EQ(1u, ParseNumberText("-4294967295", 10));
    EXPECT_EQ(kLargest, ParseNumberText("4294967296", 10));
    EXPECT_EQ(kLargest, ParseNumberText("99999999999", 10));
    EXPECT_EQ(kLargest, ParseNumberText("-4294967296", 10)) << "too large, whatever the sign";
    EXPECT_EQ(kLargest, ParseNumberText("-99999999999999999999999", 10));
    EXPECT_EQ(kLargest, ParseNumberText("0x100000000", 10));
    EXPECT_EQ(0xFFFFFFF0u, ParseNumberText("-0x10", 16));
}

// strtoul as the C standard describes it, written independently of the
// program's reading: digits are collected first and their value judged as a
// whole, by length and by comparison with the largest number's digits.
DWORD Reference(const std::string& text, int requestedBase)
{
    const int base
        = requestedBase == 16 || (text.size() >= 2 && text[0] == '0' && std::toupper(text[1]) == 'X') ? 16
                                                                                                      : 10;
    const std::string allDigits = "0123456789ABCDEF";
    const std::string digitsOfBase = allDigits.substr(0, static_cast<size_t>(base));
    size_t at = text.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string::npos)
        return 0;
    bool negative = false;
    if (text[at] == '+' || text[at] == '-')
        negative = text[at++] == '-';
    if (base == 16 && text.size() >= at + 2 && text[at] == '0' && std::toupper(text[at + 1]) == 'X')
        at += 2;
    std::string digits;
    for (; at < text.size(); ++at) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(text[at])));
        if (digitsOfBase.find(upper) == std::string::npos)
            break;
        digits += upper;
    }
    digits.erase(0, digits.find_first_not_of('0'));
    const std::string largest = base == 16 ? "FFFFFFFF" : "4294967295";
    if (digits.size() > largest.size() || (digits.size() == largest.size() && digits > largest))
        return kLargest;
    const std::uint64_t magnitude = digits.empty() ? 0 : std::stoull(digits, nullptr, base);
    return static_cast<DWORD>(negative ? (std::uint64_t{1} << 32) - magnitude : magnitude);
}

TEST(ParseNumberText, AgreesWithTheReferenceOnRandomTexts)
{
    std::mt19937 random(20261207);
    const std::string alphabet = " \t\n+-0123456789aAbBcdefFxXgz,.";
    const char* const numbers[] = {"0", "1", "255", "256", "4294967295", "4294967296", "18446744073709551616",
        "FFFFFFFF", "100000000", "0000000000000000000042"};
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int pieces = static_cast<int>(random() % 5);
        for (int piece = 0; piece < pieces; ++piece) {
            if (random() % 3 == 0)
                text += numbers[random() % std::size(numbers)];
            else
                text.append(random() % 4 + 1, alphabet[random() % alphabet.size()]);
        }
        for (const int base : {10, 16, 8, 0}) {
            ASSERT_EQ(Reference(text, base), ParseNumberText(text.c_str(), base))
                << "text \"" << text << "\", base " << base;
        }
    }
}

} // namespace
