#include "hotkeys/KeyNames.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUnassigned = "<Unassigned>";
constexpr const char* kReserved = "<Reserved>";
constexpr const char* kUndefined = "<Undefined>";

struct PlaceholderRange
{
    int first;
    int last;
    const char* text;
};

// Codes without a key; they carry the placeholder as symbol and description.
constexpr PlaceholderRange kPlaceholders[] = {
    {0x00, 0x00, kUnassigned},
    {0x07, 0x07, kUnassigned},
    {0x0A, 0x0B, kReserved},
    {0x0E, 0x0F, kUndefined},
    {0x16, 0x16, kUndefined},
    {0x3A, 0x40, kUndefined},
    {0x5E, 0x5E, kReserved},
    {0x88, 0x8F, kUnassigned},
    {0x97, 0x9F, kUnassigned},
    {0xB8, 0xB9, kReserved},
    {0xC1, 0xDA, kReserved},
    {0xE0, 0xE0, kReserved},
    {0xE8, 0xE8, kUnassigned},
    {0xFF, 0xFF, kReserved},
};

template <typename... Args> std::string Format(const char* format, Args... args)
{
    char text[64];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

std::string Hex(int value) { return Format("0x%02X", static_cast<unsigned>(value)); }

const VirtualKeyName& KeyAt(int position) { return g_virtualKeyNames[static_cast<size_t>(position)]; }

std::string Quoted(const char* text) { return text ? Format("\"%s\"", text) : "null"; }

std::string HexList(const std::vector<int>& values)
{
    std::string list = "{";
    for (int value : values) {
        if (list.size() > 1)
            list += ' ';
        list += Hex(value);
    }
    return list += '}';
}

// Expected text for each of the 256 positions, assembled from several rules.
// A position named twice or never is a mistake in this list, reported as such.
class ExpectedTexts
{
public:
    void Set(int position, const char* text)
    {
        if (m_named[position]) {
            ADD_FAILURE() << "expected list names position " << Hex(position) << " twice";
        }
        m_named[position] = true;
        m_text[position] = text ? std::optional<std::string>(text) : std::nullopt;
    }

    void Run(int first, std::initializer_list<const char*> texts)
    {
        for (const char* text : texts)
            Set(first++, text);
    }

    void Placeholders()
    {
        for (const PlaceholderRange& range : kPlaceholders) {
            for (int position = range.first; position <= range.last; ++position) {
                Set(position, range.text);
            }
        }
    }

    void ExpectComplete() const
    {
        for (int position = 0; position < 256; ++position) {
            if (!m_named[position]) {
                ADD_FAILURE() << "expected list leaves position " << Hex(position) << " out";
            }
        }
    }

    const char* At(int position) const { return m_text[position] ? m_text[position]->c_str() : nullptr; }

private:
    std::optional<std::string> m_text[256];
    bool m_named[256] = {};
};

ExpectedTexts ExpectedDescriptions()
{
    ExpectedTexts e;
    e.Placeholders();
    e.Run(0x01,
        {"Left mouse button", "Right mouse button", "Break", "Middle mouse button", "X1 (4th) mouse button",
            "X2 (5th) mouse button"});
    e.Run(0x08, {"Backspace", "Tab"});
    e.Run(0x0C, {"Clear", "Enter/Return"});
    e.Run(0x10, {"Shift", "Control", "Alt", "Pause", "Caps Lock", "Kana/Hangul Mode"});
    e.Run(0x17, {"Junja Mode", "Final Mode", "Hanja Mode", "Kanji Mode"});
    e.Run(0x1B, {"Escape", "Convert", "Non-Convert", "Accept", "Mode Change"});
    e.Run(0x20,
        {"Space", "Page Up", "Page Down", "End", "Home", "Left", "Up", "Right", "Down", "Select", "Print",
            "Execute", "Print Screen", "Insert", "Delete", "Help"});
    for (char c = '0'; c <= '9'; ++c)
        e.Set(c, Format("%c", c).c_str());
    for (char c = 'A'; c <= 'Z'; ++c)
        e.Set(c, Format("%c", c).c_str());
    e.Run(0x5B, {"Left Windows", "Right Windows", "Application/Context"});
    e.Set(0x5F, "Sleep/Standby/Shutdown");
    for (int n = 0; n <= 9; ++n)
        e.Set(0x60 + n, Format("Numpad %d", n).c_str());
    e.Run(0x6A,
        {"Numpad Multiply", "Numpad Add", "Separator", "Numpad Subtract", "Numpad Decimal", "Numpad Divide"});
    for (int n = 1; n <= 24; ++n)
        e.Set(0x6F + n, Format("F%d", n).c_str());
    e.Run(0x90,
        {"Num Lock", "Scroll Lock", "Numpad Equal/Dictionary", "Unregister Word", "Register Word",
            "Left OYAYUBI", "Right OYAYUBI"});
    e.Run(0xA0, {"Left Shift", "Right Shift", "Left Control", "Right Control", "Left Alt", "Right Alt"});
    e.Run(0xA6,
        {"Browser Back", "Browser Forward", "Browser Refresh", "Browser Stop", "Browser Search",
            "Browser Favorites", "Browser Home"});
    e.Run(0xAD,
        {"Mute", "Volume Down", "Volume Up", "Next Track", "Previous Track", "Stop Track", "Play/Pause Track",
            "Mail Client", "Media Player", "App1", "App2"});
    e.Run(0xBA, {";:", "+=", ",<", "-_", ".>", "/?", "`~"});
    e.Run(0xDB, {"[{", "\\|", "]}", "'\"", nullptr});
    e.Run(0xE1, {"AX", "<> or \\|", "Help", "00", "IME Process", "Clear", "N/A Sent Unicode Character"});
    e.Run(0xE9,
        {"Reset", "Jump", "PA1", "PA2", "PA3", "WsCtrl", "CuSel", "Attention", "Finish", "Copy", "Auto",
            "ENLW", "Back Tab"});
    e.Run(0xF6, {"Attention", "CrSel", "ExSel", "Erase to EOF", "Play", "Zoom", "Reserved", "PA1", "Clear"});
    e.ExpectComplete();
    return e;
}

// Symbols are placed by the value the Windows headers give each name, so a
// name in the wrong row shows up even where the list and the table agree.
#define HEADER_NAME(vk) \
    {                   \
        vk, #vk         \
    }

ExpectedTexts ExpectedSymbols()
{
    struct Named
    {
        int code;
        const char* name;
    };
    static constexpr Named kNamed[] = {
        HEADER_NAME(VK_LBUTTON),
        HEADER_NAME(VK_RBUTTON),
        HEADER_NAME(VK_CANCEL),
        HEADER_NAME(VK_MBUTTON),
        HEADER_NAME(VK_XBUTTON1),
        HEADER_NAME(VK_XBUTTON2),
        HEADER_NAME(VK_BACK),
        HEADER_NAME(VK_TAB),
        HEADER_NAME(VK_CLEAR),
        HEADER_NAME(VK_RETURN),
        HEADER_NAME(VK_SHIFT),
        HEADER_NAME(VK_CONTROL),
        HEADER_NAME(VK_MENU),
        HEADER_NAME(VK_PAUSE),
        HEADER_NAME(VK_CAPITAL),
        HEADER_NAME(VK_KANA),
        HEADER_NAME(VK_JUNJA),
        HEADER_NAME(VK_FINAL),
        HEADER_NAME(VK_HANJA),
        HEADER_NAME(VK_ESCAPE),
        HEADER_NAME(VK_CONVERT),
        HEADER_NAME(VK_NONCONVERT),
        HEADER_NAME(VK_ACCEPT),
        HEADER_NAME(VK_MODECHANGE),
        HEADER_NAME(VK_SPACE),
        HEADER_NAME(VK_PRIOR),
        HEADER_NAME(VK_NEXT),
        HEADER_NAME(VK_END),
        HEADER_NAME(VK_HOME),
        HEADER_NAME(VK_LEFT),
        HEADER_NAME(VK_UP),
        HEADER_NAME(VK_RIGHT),
        HEADER_NAME(VK_DOWN),
        HEADER_NAME(VK_SELECT),
        HEADER_NAME(VK_PRINT),
        HEADER_NAME(VK_EXECUTE),
        HEADER_NAME(VK_SNAPSHOT),
        HEADER_NAME(VK_INSERT),
        HEADER_NAME(VK_DELETE),
        HEADER_NAME(VK_HELP),
        HEADER_NAME(VK_LWIN),
        HEADER_NAME(VK_RWIN),
        HEADER_NAME(VK_APPS),
        HEADER_NAME(VK_SLEEP),
        HEADER_NAME(VK_MULTIPLY),
        HEADER_NAME(VK_ADD),
        HEADER_NAME(VK_SEPARATOR),
        HEADER_NAME(VK_SUBTRACT),
        HEADER_NAME(VK_DECIMAL),
        HEADER_NAME(VK_DIVIDE),
        HEADER_NAME(VK_NUMLOCK),
        HEADER_NAME(VK_SCROLL),
        HEADER_NAME(VK_OEM_NEC_EQUAL),
        HEADER_NAME(VK_OEM_FJ_MASSHOU),
        HEADER_NAME(VK_OEM_FJ_TOUROKU),
        HEADER_NAME(VK_OEM_FJ_LOYA),
        HEADER_NAME(VK_OEM_FJ_ROYA),
        HEADER_NAME(VK_LSHIFT),
        HEADER_NAME(VK_RSHIFT),
        HEADER_NAME(VK_LCONTROL),
        HEADER_NAME(VK_RCONTROL),
        HEADER_NAME(VK_LMENU),
        HEADER_NAME(VK_RMENU),
        HEADER_NAME(VK_BROWSER_BACK),
        HEADER_NAME(VK_BROWSER_FORWARD),
        HEADER_NAME(VK_BROWSER_REFRESH),
        HEADER_NAME(VK_BROWSER_STOP),
        HEADER_NAME(VK_BROWSER_SEARCH),
        HEADER_NAME(VK_BROWSER_FAVORITES),
        HEADER_NAME(VK_BROWSER_HOME),
        HEADER_NAME(VK_VOLUME_MUTE),
        HEADER_NAME(VK_VOLUME_DOWN),
        HEADER_NAME(VK_VOLUME_UP),
        HEADER_NAME(VK_MEDIA_NEXT_TRACK),
        HEADER_NAME(VK_MEDIA_PREV_TRACK),
        HEADER_NAME(VK_MEDIA_STOP),
        HEADER_NAME(VK_MEDIA_PLAY_PAUSE),
        HEADER_NAME(VK_LAUNCH_MAIL),
        HEADER_NAME(VK_LAUNCH_MEDIA_SELECT),
        HEADER_NAME(VK_LAUNCH_APP1),
        HEADER_NAME(VK_LAUNCH_APP2),
        HEADER_NAME(VK_OEM_1),
        HEADER_NAME(VK_OEM_PLUS),
        HEADER_NAME(VK_OEM_COMMA),
        HEADER_NAME(VK_OEM_MINUS),
        HEADER_NAME(VK_OEM_PERIOD),
        HEADER_NAME(VK_OEM_2),
        HEADER_NAME(VK_OEM_3),
        HEADER_NAME(VK_OEM_4),
        HEADER_NAME(VK_OEM_5),
        HEADER_NAME(VK_OEM_6),
        HEADER_NAME(VK_OEM_7),
        HEADER_NAME(VK_OEM_8),
        HEADER_NAME(VK_OEM_AX),
        HEADER_NAME(VK_OEM_102),
        HEADER_NAME(VK_ICO_HELP),
        HEADER_NAME(VK_ICO_00),
        HEADER_NAME(VK_PROCESSKEY),
        HEADER_NAME(VK_ICO_CLEAR),
        HEADER_NAME(VK_PACKET),
        HEADER_NAME(VK_OEM_RESET),
        HEADER_NAME(VK_OEM_JUMP),
        HEADER_NAME(VK_OEM_PA1),
        HEADER_NAME(VK_OEM_PA2),
        HEADER_NAME(VK_OEM_PA3),
        HEADER_NAME(VK_OEM_WSCTRL),
        HEADER_NAME(VK_OEM_CUSEL),
        HEADER_NAME(VK_OEM_ATTN),
        HEADER_NAME(VK_OEM_FINISH),
        HEADER_NAME(VK_OEM_COPY),
        HEADER_NAME(VK_OEM_AUTO),
        HEADER_NAME(VK_OEM_ENLW),
        HEADER_NAME(VK_OEM_BACKTAB),
        HEADER_NAME(VK_ATTN),
        HEADER_NAME(VK_CRSEL),
        HEADER_NAME(VK_EXSEL),
        HEADER_NAME(VK_EREOF),
        HEADER_NAME(VK_PLAY),
        HEADER_NAME(VK_ZOOM),
        HEADER_NAME(VK_NONAME),
        HEADER_NAME(VK_PA1),
        HEADER_NAME(VK_OEM_CLEAR),
    };
    ExpectedTexts e;
    e.Placeholders();
    for (const Named& named : kNamed)
        e.Set(named.code, named.name);
    // VK_KANJI shares VK_HANJA's value in the headers; it takes the next slot.
    e.Set(0x1A, "VK_KANJI");
    for (char c = '0'; c <= '9'; ++c)
        e.Set(c, Format("VK_%c", c).c_str());
    for (char c = 'A'; c <= 'Z'; ++c)
        e.Set(c, Format("VK_%c", c).c_str());
    for (int n = 0; n <= 9; ++n)
        e.Set(VK_NUMPAD0 + n, Format("VK_NUMPAD%d", n).c_str());
    for (int n = 1; n <= 24; ++n)
        e.Set(VK_F1 + n - 1, Format("VK_F%d", n).c_str());
    e.ExpectComplete();
    return e;
}

#undef HEADER_NAME

void ExpectTexts(const ExpectedTexts& expected, const char* VirtualKeyName::*field, const char* what)
{
    for (int position = 0; position < 256; ++position) {
        const char* actual = KeyAt(position).*field;
        const char* wanted = expected.At(position);
        const bool same = actual && wanted ? std::string(actual) == wanted : actual == wanted;
        if (!same) {
            ADD_FAILURE() << "position " << Hex(position) << ": expected " << what << " " << Quoted(wanted)
                          << ", got " << Quoted(actual);
        }
    }
}

TEST(KeyNames, EveryDescriptionMatchesTheKeyList)
{
    ExpectTexts(ExpectedDescriptions(), &VirtualKeyName::description, "description");
}

TEST(KeyNames, EverySymbolIsTheHeaderName)
{
    ExpectTexts(ExpectedSymbols(), &VirtualKeyName::symbol, "symbol");
}

TEST(KeyNames, CodeIsThePositionExceptForKanji)
{
    for (int position = 0; position < 256; ++position) {
        const int expected = position == 0x1A ? VK_KANJI : position;
        const int actual = KeyAt(position).code;
        if (actual != expected) {
            ADD_FAILURE() << "position " << Hex(position) << ": expected code " << Hex(expected) << ", got "
                          << Hex(actual);
        }
    }
}

TEST(KeyNames, OnlyOem8HasNoDescription)
{
    std::vector<int> withoutDescription;
    for (int position = 0; position < 256; ++position) {
        if (!KeyAt(position).description)
            withoutDescription.push_back(position);
    }
    EXPECT_EQ(HexList({VK_OEM_8}), HexList(withoutDescription));
}

// Keys that look alike to the user on purpose; any other repeat would be a row
// copied into the wrong place. Placeholders repeat by nature and are left out.
TEST(KeyNames, OnlyTheKnownDescriptionsRepeat)
{
    std::map<std::string, std::vector<int>> positionsOf;
    for (int position = 0; position < 256; ++position) {
        const char* description = KeyAt(position).description;
        if (description)
            positionsOf[description].push_back(position);
    }
    std::map<std::string, std::string> repeated;
    for (const auto& [description, positions] : positionsOf) {
        const bool placeholder
            = description == kUnassigned || description == kReserved || description == kUndefined;
        if (positions.size() > 1 && !placeholder)
            repeated[description] = HexList(positions);
    }
    const std::map<std::string, std::string> expected = {
        {"Attention", "{0xF0 0xF6}"},
        {"Clear", "{0x0C 0xE6 0xFE}"},
        {"Help", "{0x2F 0xE3}"},
        {"PA1", "{0xEB 0xFD}"},
    };
    EXPECT_EQ(expected, repeated);
}

} // namespace
