// The framework's string: shared storage, byte-wise comparison, formatting,
// buffers and string resources.
#include "framework/String.h"
#include "tests/framework/TestResources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(CString, CopiesShareTheTextUntilOneOfThemWrites)
{
    const CString original("shared");
    CString appended(original), throughBuffer(original);
    EXPECT_EQ(static_cast<LPCSTR>(original), static_cast<LPCSTR>(appended)) << "a copy shares the storage";

    appended += " and more";
    throughBuffer.GetBuffer(0)[0] = 'S';
    throughBuffer.ReleaseBuffer(-1);
    EXPECT_STREQ("shared and more", appended);
    EXPECT_STREQ("Shared", throughBuffer);
    EXPECT_STREQ("shared", original) << "the string the copies were made from";
}

TEST(CString, CompareNoCaseFoldsAsciiLettersOnly)
{
    EXPECT_LT(CString("[").CompareNoCase("a"), 0);
    EXPECT_GT(CString("Z").CompareNoCase("["), 0) << "Z compares as z, after [";
    EXPECT_LT(CString("Z").Compare("["), 0) << "Compare does not fold";
    EXPECT_EQ(0, CString("Escape").CompareNoCase("eSCAPE"));
    EXPECT_GT(CString("\xE9").CompareNoCase("\xC9"), 0) << "bytes above 0x7F are not folded";
    EXPECT_GT(CString("\x80").CompareNoCase("z"), 0) << "bytes above 0x7F are unsigned, after ASCII";
}

TEST(CString, Format)
{
    CString text;
    text.Format("0x%02x|%-3s|%5.2f", 0x47, "G", 2.5);
    EXPECT_STREQ("0x47|G  | 2.50", text);
    // C99 sizes: checked at compile time against the printf really linked.
    text.Format("%zu|%lld", sizeof(int), -1LL);
    EXPECT_STREQ("4|-1", text);

    const std::string wide(1000, 'w');
    text.Format("<%s>", wide.c_str());
    EXPECT_EQ("<" + wide + ">", std::string(text));
    text.Format("%.3s%s", static_cast<LPCSTR>(text), "!");
    EXPECT_STREQ("<ww!", text) << "formatted from its own text";
    text.Format("%s", "");
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, GetBufferAndReleaseBuffer)
{
    CString text("abc");
    std::strcpy(text.GetBuffer(10), "filled in");
    text.ReleaseBuffer(-1);
    EXPECT_EQ(9, text.GetLength());
    EXPECT_STREQ("filled in", text);

    text.GetBuffer(2); // less than it holds: the text stays
    text.ReleaseBuffer(6);
    EXPECT_STREQ("filled", text);
}

TEST(CString, LoadStringOfAnyLength)
{
    std::string digits;
    while (digits.size() < 600)
        digits += "0123456789";

    CString text;
    EXPECT_TRUE(text.LoadString(IDS_SHORT));
    EXPECT_STREQ("Keyvane", text);
    EXPECT_TRUE(text.LoadString(IDS_LONG));
    EXPECT_EQ(digits, std::string(text));
    EXPECT_FALSE(text.LoadString(IDS_MISSING));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, AssignmentFromItsOwnText)
{
    CString text("0123456789");
    text = static_cast<LPCSTR>(text) + 4;
    EXPECT_STREQ("456789", text);

    const CString sharer(text);
    text = static_cast<LPCSTR>(text) + 3;
    EXPECT_STREQ("789", text);
    EXPECT_STREQ("456789", sharer);

    text += text;
    EXPECT_STREQ("789789", text);
    text = static_cast<LPCSTR>(text);
    EXPECT_STREQ("789789", text);
}

} // namespace
