#include "hotkeys/who/NeverPressed.h"

#include <array>

namespace who {

namespace {

constexpr char kWindows[] = "Windows";

// The four modifier bits; MOD_NOREPEAT and the like change nothing here.
constexpr UINT kModifierBits = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;

struct Reserved
{
    WORD key;
    UINT modifiers;
    const char* reason;
};

// Combinations Windows takes for itself, and those a press of which would
// hand the desktop to something else, whatever registered them besides.
constexpr std::array<Reserved, 11> kReserved = {{
    {VK_DELETE, MOD_CONTROL | MOD_ALT, "the secure attention sequence: the sign-in screen's options"},
    {VK_ESCAPE, MOD_CONTROL | MOD_SHIFT, "opens Task Manager"},
    {VK_ESCAPE, MOD_CONTROL, "opens the Start menu"},
    {VK_ESCAPE, MOD_ALT, "sends the active window to the back"},
    {VK_ESCAPE, MOD_ALT | MOD_SHIFT, "cycles through the windows"},
    {VK_TAB, MOD_ALT, "switches windows"},
    {VK_TAB, MOD_ALT | MOD_SHIFT, "switches windows"},
    {VK_TAB, MOD_CONTROL | MOD_ALT, "shows the window switcher"},
    {VK_TAB, MOD_WIN, "opens Task View"},
    {'L', MOD_WIN, "locks the PC"},
    {'U', MOD_WIN, "opens the accessibility settings"},
}};

bool Between(WORD key, WORD first, WORD last) { return key >= first && key <= last; }

bool IsModifierKey(WORD key)
{
    return Between(key, VK_SHIFT, VK_MENU) || key == VK_LWIN || key == VK_RWIN
        || Between(key, VK_LSHIFT, VK_RMENU);
}

bool IsInputMethodKey(WORD key)
{
    // Kana/Hangul, IME on, Junja, Final, Hanja/Kanji, IME off; Convert,
    // NonConvert, Accept, ModeChange; ProcessKey.
    return Between(key, 0x15, 0x1A) || Between(key, VK_CONVERT, VK_MODECHANGE) || key == VK_PROCESSKEY;
}

// The key a debugger breaks in on when the system is set to, besides F12;
// nothing when no other key is set.
std::optional<WORD> DebuggerKey()
{
    DWORD key = 0;
    DWORD size = sizeof key;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug",
            L"UserDebuggerHotKey", RRF_RT_REG_DWORD, nullptr, &key, &size)
            != ERROR_SUCCESS
        || key == 0 || key > 0xFF)
        return std::nullopt;
    return static_cast<WORD>(key);
}

} // namespace

std::optional<Withheld> SystemWithholds(WORD key, UINT modifiers)
{
    modifiers &= kModifierBits;
    if (key == VK_SNAPSHOT)
        return Withheld{kWindows, "Print Screen may start the screen snip or replace the clipboard"};
    if (modifiers == 0 || modifiers == MOD_SHIFT) {
        if (key == VK_F12 || key == DebuggerKey())
            return Withheld{"the debugger", "the debugger's key breaks into the program in front"};
    }
    for (const Reserved& reserved : kReserved) {
        if (reserved.key == key && reserved.modifiers == modifiers)
            return Withheld{kWindows, reserved.reason};
    }
    if (key == VK_SLEEP)
        return Withheld{kWindows, "the sleep key puts the PC to sleep"};
    if (Between(key, VK_BROWSER_BACK, VK_LAUNCH_APP2))
        return Withheld{kWindows, "a browser, volume, media or launch key acts on its own"};
    if (IsInputMethodKey(key))
        return Withheld{"the input method", "an input method key switches how typing is converted"};
    if (Between(key, VK_LBUTTON, VK_XBUTTON2) && key != VK_CANCEL)
        return Withheld{kWindows, "a mouse button code is not a key to press"};
    if (IsModifierKey(key))
        return Withheld{kWindows, "a modifier used as the key would press another combination"};
    return std::nullopt;
}

} // namespace who
