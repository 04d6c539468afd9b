#include "census/core/CombinationText.h"
#include "tests/census/FakeBackend.h"

#include <gtest/gtest.h>

namespace {

TEST(CombinationText, ParsesModifiersInAnyCaseAndOrder)
{
    const FakeBackend backend;
    const struct
    {
        const char* text;
        Combination expected;
    } cases[] = {
        {"K", {'K', 0}},
        {"Ctrl+Alt+K", {'K', kModCtrl | kModAlt}},
        {"ctrl+ALT+K", {'K', kModCtrl | kModAlt}},
        {"Win+Shift+K", {'K', kModWin | kModShift}},
        {"Control+Super+Alt+Shift+K", {'K', kAllModifiers}},
        {"Ctrl+0x4B", {0x4B, kModCtrl}},
        // The key itself may contain the separator.
        {"Ctrl++=", {0xBB, kModCtrl}},
        {"+=", {0xBB, 0}},
    };
    for (const auto& c : cases) {
        const ParsedCombination parsed = ParseCombination(c.text, backend);
        ASSERT_TRUE(parsed.combo) << c.text << ": " << parsed.error;
        EXPECT_EQ(c.expected.key, parsed.combo->key) << c.text;
        EXPECT_EQ(c.expected.modifiers, parsed.combo->modifiers) << c.text;
    }
}

TEST(CombinationText, RejectsWhatIsNoCombination)
{
    const FakeBackend backend;
    const struct
    {
        const char* text;
        const char* error;
    } cases[] = {
        {"", "no key"},
        {"Ctrl+", "no key"},
        {"Ctrl+Alt+", "no key"},
        {"Ctrl+ctrl+K", "Ctrl given twice"},
        {"Win+Super+K", "Win given twice"},
        {"Ctrl+Foo", "unknown key \"Foo\""},
        {"Ctrl-K", "unknown key \"Ctrl-K\""},
        {"Hyper+K", "unknown key \"Hyper+K\""},
    };
    for (const auto& c : cases) {
        const ParsedCombination parsed = ParseCombination(c.text, backend);
        EXPECT_FALSE(parsed.combo) << c.text << " parsed as key " << parsed.combo->key;
        EXPECT_NE(std::string::npos, parsed.error.find(c.error)) << c.text << ": " << parsed.error;
        EXPECT_EQ(0u, parsed.error.find("\"" + std::string(c.text) + "\""))
            << "names the text: " << parsed.error;
    }
}

TEST(CombinationText, WritesModifiersInOneOrderAndParsesBack)
{
    const FakeBackend backend;
    EXPECT_EQ("K", CombinationText(0, "K"));
    EXPECT_EQ("Ctrl+Alt+Shift+Win+K", CombinationText(kAllModifiers, "K"));
    for (unsigned modifiers = 0; modifiers <= kAllModifiers; ++modifiers) {
        const std::string text = CombinationText(modifiers, "+=");
        const ParsedCombination parsed = ParseCombination(text, backend);
        ASSERT_TRUE(parsed.combo) << text << ": " << parsed.error;
        EXPECT_EQ(modifiers, parsed.combo->modifiers) << text;
        EXPECT_EQ(0xBBu, parsed.combo->key) << text;
    }
}

TEST(CombinationText, HexCodes)
{
    EXPECT_EQ(0x4Bu, ParseHexCode("0x4B"));
    EXPECT_EQ(0x4Bu, ParseHexCode("0X4b"));
    EXPECT_EQ(0xFFu, ParseHexCode("0x00ff"));
    for (const char* bad : {"0x", "4B", "x4B", "0x4G", "0x-1", "0x 4", " 0x4B", "0x4B ", "0x100000000"})
        EXPECT_FALSE(ParseHexCode(bad)) << bad;
}

} // namespace
