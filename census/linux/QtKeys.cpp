#include "census/linux/QtKeys.h"

#include "census/core/Combination.h"
#include "census/linux/Keysyms.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr unsigned kQtShift = 0x02000000;
constexpr unsigned kQtCtrl = 0x04000000;
constexpr unsigned kQtAlt = 0x08000000;
constexpr unsigned kQtMeta = 0x10000000;
constexpr unsigned kQtKeypad = 0x20000000;
constexpr unsigned kQtModifierBits = 0xfe000000;

// Qt codes characters by their Unicode code point; every other key lies above.
constexpr unsigned kQtFirstSpecialKey = 0x01000000;
constexpr unsigned kQtF1 = 0x01000030;
constexpr unsigned kQtF35 = 0x01000052;

// The keys other than characters and F1 to F35 that shortcuts use, with the
// keysym X gives them.
constexpr auto kSpecialKeys = std::to_array<std::pair<unsigned, std::string_view>>({
    {0x01000000, "Escape"},
    {0x01000001, "Tab"},
    {0x01000002, "ISO_Left_Tab"},
    {0x01000003, "BackSpace"},
    {0x01000004, "Return"},
    {0x01000005, "KP_Enter"},
    {0x01000006, "Insert"},
    {0x01000007, "Delete"},
    {0x01000008, "Pause"},
    {0x01000009, "Print"},
    {0x0100000a, "Sys_Req"},
    {0x0100000b, "Clear"},
    {0x01000010, "Home"},
    {0x01000011, "End"},
    {0x01000012, "Left"},
    {0x01000013, "Up"},
    {0x01000014, "Right"},
    {0x01000015, "Down"},
    {0x01000016, "Prior"},
    {0x01000017, "Next"},
    {0x01000024, "Caps_Lock"},
    {0x01000025, "Num_Lock"},
    {0x01000026, "Scroll_Lock"},
    {0x01000053, "Super_L"},
    {0x01000054, "Super_R"},
    {0x01000055, "Menu"},
    {0x01000056, "Hyper_L"},
    {0x01000057, "Hyper_R"},
    {0x01000058, "Help"},
    {0x01000061, "XF86Back"},
    {0x01000062, "XF86Forward"},
    {0x01000063, "XF86Stop"},
    {0x01000064, "XF86Refresh"},
    {0x01000070, "XF86AudioLowerVolume"},
    {0x01000071, "XF86AudioMute"},
    {0x01000072, "XF86AudioRaiseVolume"},
    {0x01000080, "XF86AudioPlay"},
    {0x01000081, "XF86AudioStop"},
    {0x01000082, "XF86AudioPrev"},
    {0x01000083, "XF86AudioNext"},
    {0x01000084, "XF86AudioRecord"},
    {0x01000085, "XF86AudioPause"},
    {0x01000090, "XF86HomePage"},
    {0x01000091, "XF86Favorites"},
    {0x01000092, "XF86Search"},
    {0x01000093, "XF86Standby"},
    {0x01000094, "XF86OpenURL"},
    {0x010000a0, "XF86Mail"},
    {0x010000a1, "XF86AudioMedia"},
    {0x010000b2, "XF86MonBrightnessUp"},
    {0x010000b3, "XF86MonBrightnessDown"},
    {0x010000b4, "XF86KbdLightOnOff"},
    {0x010000b5, "XF86KbdBrightnessUp"},
    {0x010000b6, "XF86KbdBrightnessDown"},
    {0x010000b7, "XF86PowerOff"},
    {0x010000b8, "XF86WakeUp"},
    {0x010000b9, "XF86Eject"},
    {0x010000ba, "XF86ScreenSaver"},
    {0x010000bb, "XF86WWW"},
    {0x010000c5, "XF86AudioRewind"},
    {0x010000cb, "XF86Calculator"},
    {0x010000d1, "XF86Display"},
    {0x010000d5, "XF86Explorer"},
    {0x010000d9, "XF86LogOff"},
    {0x010000f0, "XF86Terminal"},
    {0x010000f1, "XF86Tools"},
    {0x010000f6, "XF86ZoomIn"},
    {0x010000f7, "XF86ZoomOut"},
    {0x01000102, "XF86AudioForward"},
    {0x01000108, "XF86Hibernate"},
    {0x0100010c, "XF86Suspend"},
    {0x01000110, "XF86TouchpadToggle"},
    {0x01000111, "XF86TouchpadOn"},
    {0x01000112, "XF86TouchpadOff"},
    {0x01000113, "XF86AudioMicMute"},
    {0x01020004, "XF86Sleep"},
    {0x01020003, "Execute"},
});

// With Qt's keypad bit, these characters are the keypad's keys.
constexpr auto kKeypadKeys = std::to_array<std::pair<char, std::string_view>>({
    {'0', "KP_0"},
    {'1', "KP_1"},
    {'2', "KP_2"},
    {'3', "KP_3"},
    {'4', "KP_4"},
    {'5', "KP_5"},
    {'6', "KP_6"},
    {'7', "KP_7"},
    {'8', "KP_8"},
    {'9', "KP_9"},
    {'*', "KP_Multiply"},
    {'+', "KP_Add"},
    {'-', "KP_Subtract"},
    {'.', "KP_Decimal"},
    {'/', "KP_Divide"},
});

unsigned KeysymOf(unsigned key, bool keypad)
{
    if (key < kQtFirstSpecialKey) {
        for (const auto& [character, name] : kKeypadKeys) {
            if (keypad && key == static_cast<unsigned>(character))
                return KeysymFromName(name);
        }
        return KeysymFromCharacter(key);
    }
    if (key >= kQtF1 && key <= kQtF35)
        return KeysymFromName("F" + std::to_string(key - kQtF1 + 1));
    for (const auto& [code, name] : kSpecialKeys) {
        if (code == key)
            return KeysymFromName(name);
    }
    return 0;
}

} // namespace

QtChord ChordFromQt(int qtKey)
{
    const auto bits = static_cast<unsigned>(qtKey);
    const unsigned modifiers = ((bits & kQtCtrl) ? kModCtrl : 0u) | ((bits & kQtAlt) ? kModAlt : 0u)
        | ((bits & kQtShift) ? kModShift : 0u) | ((bits & kQtMeta) ? kModWin : 0u);
    return {modifiers, KeysymOf(bits & ~kQtModifierBits, (bits & kQtKeypad) != 0)};
}
