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

// The keys other than characters and F1 to F35 that have a keysym, with the
// keysym Qt's X11 and Wayland platforms give them.
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
    {0x010000a2, "XF86MyComputer"},
    {0x010000a3, "XF86Calculator"},
    {0x010000a4, "XF86Launch0"},
    {0x010000a5, "XF86Launch1"},
    {0x010000a6, "XF86Launch2"},
    {0x010000a7, "XF86Launch3"},
    {0x010000a8, "XF86Launch4"},
    {0x010000a9, "XF86Launch5"},
    {0x010000aa, "XF86Launch6"},
    {0x010000ab, "XF86Launch7"},
    {0x010000ac, "XF86Launch8"},
    {0x010000ad, "XF86Launch9"},
    {0x010000ae, "XF86LaunchA"},
    {0x010000af, "XF86LaunchB"},
    {0x010000b0, "XF86LaunchC"},
    {0x010000b1, "XF86LaunchD"},
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
    {0x010000bc, "XF86Memo"},
    {0x010000bd, "XF86LightBulb"},
    {0x010000be, "XF86Shop"},
    {0x010000bf, "XF86History"},
    {0x010000c0, "XF86AddFavorite"},
    {0x010000c1, "XF86HotLinks"},
    {0x010000c2, "XF86BrightnessAdjust"},
    {0x010000c3, "XF86Finance"},
    {0x010000c4, "XF86Community"},
    {0x010000c5, "XF86AudioRewind"},
    {0x010000c6, "XF86BackForward"},
    {0x010000c7, "XF86ApplicationLeft"},
    {0x010000c8, "XF86ApplicationRight"},
    {0x010000c9, "XF86Book"},
    {0x010000ca, "XF86CD"},
    {0x010000cb, "XF86Calculator"},
    {0x010000cc, "XF86ToDoList"},
    {0x010000cd, "XF86ClearGrab"},
    {0x010000ce, "XF86Close"},
    {0x010000cf, "XF86Copy"},
    {0x010000d0, "XF86Cut"},
    {0x010000d1, "XF86Display"},
    {0x010000d2, "XF86DOS"},
    {0x010000d3, "XF86Documents"},
    {0x010000d4, "XF86Excel"},
    {0x010000d5, "XF86Explorer"},
    {0x010000d6, "XF86Game"},
    {0x010000d7, "XF86Go"},
    {0x010000d8, "XF86iTouch"},
    {0x010000d9, "XF86LogOff"},
    {0x010000da, "XF86Market"},
    {0x010000db, "XF86Meeting"},
    {0x010000dc, "XF86MenuKB"},
    {0x010000dd, "XF86MenuPB"},
    {0x010000de, "XF86MySites"},
    {0x010000df, "XF86News"},
    {0x010000e0, "XF86OfficeHome"},
    {0x010000e1, "XF86Option"},
    {0x010000e2, "XF86Paste"},
    {0x010000e3, "XF86Phone"},
    {0x010000e4, "XF86Calendar"},
    {0x010000e5, "XF86Reply"},
    {0x010000e6, "XF86Reload"},
    {0x010000e7, "XF86RotateWindows"},
    {0x010000e8, "XF86RotationPB"},
    {0x010000e9, "XF86RotationKB"},
    {0x010000ea, "XF86Save"},
    {0x010000eb, "XF86Send"},
    {0x010000ec, "XF86Spell"},
    {0x010000ed, "XF86SplitScreen"},
    {0x010000ee, "XF86Support"},
    {0x010000ef, "XF86TaskPane"},
    {0x010000f0, "XF86Terminal"},
    {0x010000f1, "XF86Tools"},
    {0x010000f2, "XF86Travel"},
    {0x010000f3, "XF86Video"},
    {0x010000f4, "XF86Word"},
    {0x010000f5, "XF86Xfer"},
    {0x010000f6, "XF86ZoomIn"},
    {0x010000f7, "XF86ZoomOut"},
    {0x010000f8, "XF86Away"},
    {0x010000f9, "XF86Messenger"},
    {0x010000fa, "XF86WebCam"},
    {0x010000fb, "XF86MailForward"},
    {0x010000fc, "XF86Pictures"},
    {0x010000fd, "XF86Music"},
    {0x010000fe, "XF86Battery"},
    {0x010000ff, "XF86Bluetooth"},
    {0x01000100, "XF86WLAN"},
    {0x01000101, "XF86UWB"},
    {0x01000102, "XF86AudioForward"},
    {0x01000103, "XF86AudioRepeat"},
    {0x01000104, "XF86AudioRandomPlay"},
    {0x01000105, "XF86Subtitle"},
    {0x01000106, "XF86AudioCycleTrack"},
    {0x01000107, "XF86Time"},
    {0x01000108, "XF86Hibernate"},
    {0x01000109, "XF86View"},
    {0x0100010a, "XF86TopMenu"},
    {0x0100010b, "XF86PowerDown"},
    {0x0100010c, "XF86Suspend"},
    {0x0100010d, "XF86ContrastAdjust"},
    {0x0100010e, "XF86LaunchE"},
    {0x0100010f, "XF86LaunchF"},
    {0x01000110, "XF86TouchpadToggle"},
    {0x01000111, "XF86TouchpadOn"},
    {0x01000112, "XF86TouchpadOff"},
    {0x01000113, "XF86AudioMicMute"},
    {0x01020003, "Execute"},
    {0x01020004, "XF86Sleep"},
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
