#include "census/windows/WindowsKeys.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(WindowsKeys, EveryKeyTextParsesBackToItsKey)
{
    for (unsigned key = 1; key <= 255; ++key) {
        const std::string text = WindowsKeyText(key);
        EXPECT_EQ(key, ParseWindowsKey(text)) << "key 0x" << std::hex << key << " written " << text;
    }
}

TEST(WindowsKeys, TextIsTheDescriptionWhereItNamesTheKeyAlone)
{
    const struct
    {
        unsigned key;
        const char* text;
    } cases[] = {
        {'A', "A"},
        {VK_F12, "F12"},
        {VK_RETURN, "Enter/Return"},
        {VK_PRIOR, "Page Up"},
        {0x19, "Hanja Mode"},
        {0x1A, "Kanji Mode"},
        {VK_OEM_PLUS, "+="},
        {VK_OEM_7, "'\""},
        {VK_CLEAR, "Clear"},
        // Shared or missing descriptions give way to the symbol, placeholders to the code.
        {VK_ICO_CLEAR, "ICO_CLEAR"},
        {VK_OEM_CLEAR, "OEM_CLEAR"},
        {VK_OEM_ATTN, "OEM_ATTN"},
        {VK_OEM_8, "OEM_8"},
        {0x07, "0x07"},
        {0xFF, "0xff"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, WindowsKeyText(c.key)) << "key 0x" << std::hex << c.key;
}

TEST(WindowsKeys, NamesSymbolsAliasesAndCodes)
{
    const struct
    {
        const char* name;
        unsigned key;
    } cases[] = {
        {"page up", VK_PRIOR},
        {"PRIOR", VK_PRIOR},
        {"vk_prior", VK_PRIOR},
        {"PgUp", VK_PRIOR},
        {"Esc", VK_ESCAPE},
        {"escape", VK_ESCAPE},
        {"Enter", VK_RETURN},
        {"Plus", VK_OEM_PLUS},
        {"numpad 0", VK_NUMPAD0},
        {"kanji mode", 0x1A},
        {"Reserved", VK_NONAME},
        // A symbol wins over a description that several keys share.
        {"Help", VK_HELP},
        {"PA1", VK_PA1},
        {"0x4b", 'K'},
        {"0xFF", 0xFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.key, ParseWindowsKey(c.name)) << c.name;
}

TEST(WindowsKeys, RejectsWhatNamesNoSingleKey)
{
    for (const char* name :
        {"", "Attention", "<Reserved>", "<Unassigned>", "VK_", "0x00", "0x100", "Pg Up", "F25", "Ctrl"})
        EXPECT_FALSE(ParseWindowsKey(name)) << name << " parsed as " << ParseWindowsKey(name).value_or(0);
}

TEST(WindowsKeys, NameIsTheDialogsDescription)
{
    EXPECT_EQ("Kanji Mode", WindowsKeyName(0x1A));
    EXPECT_EQ("<Reserved>", WindowsKeyName(0xFF));
    EXPECT_EQ("", WindowsKeyName(VK_OEM_8));
}

} // namespace
