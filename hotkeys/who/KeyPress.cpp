#include "hotkeys/who/KeyPress.h"

#include <algorithm>
#include <array>
#include <utility>

namespace who {

namespace {

// The order modifiers go down in.
constexpr std::array<std::pair<UINT, WORD>, 4> kModifierKeys = {{
    {MOD_WIN, VK_LWIN},
    {MOD_CONTROL, VK_CONTROL},
    {MOD_ALT, VK_MENU},
    {MOD_SHIFT, VK_SHIFT},
}};

// Each modifier by its name and the keys on either side of the keyboard.
struct ModifierSides
{
    const char* name;
    WORD left;
    WORD right;
};
constexpr std::array<ModifierSides, 4> kModifierSides = {{
    {"Ctrl", VK_LCONTROL, VK_RCONTROL},
    {"Alt", VK_LMENU, VK_RMENU},
    {"Shift", VK_LSHIFT, VK_RSHIFT},
    {"Win", VK_LWIN, VK_RWIN},
}};

// Keys whose every press switches a state that outlives the press.
constexpr std::array<WORD, 4> kLockKeys = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_KANA};

UINT SendKeys(const std::vector<KeyStroke>& strokes)
{
    std::vector<INPUT> inputs(strokes.size());
    for (size_t i = 0; i < strokes.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = strokes[i].key;
        inputs[i].ki.dwFlags = strokes[i].up ? KEYEVENTF_KEYUP : 0;
    }
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool IsAltOrWin(WORD key)
{
    return key == VK_MENU || key == VK_LMENU || key == VK_RMENU || key == VK_LWIN || key == VK_RWIN;
}

bool IsDown(WORD key) { return ::GetAsyncKeyState(key) & 0x8000; }

} // namespace

unsigned KeyTaps(WORD key)
{
    return std::find(kLockKeys.begin(), kLockKeys.end(), key) != kLockKeys.end() ? 2 : 1;
}

std::vector<KeyStroke> PressStrokes(WORD key, UINT modifiers)
{
    std::vector<WORD> held;
    for (const auto& [modifier, modifierKey] : kModifierKeys) {
        if (modifiers & modifier)
            held.push_back(modifierKey);
    }

    const auto tapMask = [](std::vector<KeyStroke>& strokes) {
        strokes.push_back({kMaskKey, false});
        strokes.push_back({kMaskKey, true});
    };
    // Alt or Win as the key is masked while it is down, so that it does not come up alone.
    const bool keyMasked = IsAltOrWin(key);
    std::vector<KeyStroke> strokes;
    for (WORD modifierKey : held)
        strokes.push_back({modifierKey, false});
    for (unsigned tap = 0; tap < KeyTaps(key); ++tap) {
        strokes.push_back({key, false});
        if (keyMasked)
            tapMask(strokes);
        strokes.push_back({key, true});
    }
    if (!keyMasked && (modifiers & (MOD_ALT | MOD_WIN)))
        tapMask(strokes);
    for (auto modifierKey = held.rbegin(); modifierKey != held.rend(); ++modifierKey)
        strokes.push_back({*modifierKey, true});
    return strokes;
}

std::vector<KeyStroke> ReleaseStrokes(const std::vector<KeyStroke>& strokes)
{
    std::vector<KeyStroke> releases;
    for (const KeyStroke& stroke : strokes) {
        if (!stroke.up)
            continue;
        if (stroke.key == kMaskKey)
            releases.push_back({kMaskKey, false});
        releases.push_back(stroke);
    }
    return releases;
}

bool SendStrokes(const std::vector<KeyStroke>& strokes)
{
    if (SendKeys(strokes) == strokes.size())
        return true;
    // Nothing more to do if even this is refused: what was refused never went down.
    SendKeys(ReleaseStrokes(strokes));
    return false;
}

std::string HeldModifiers()
{
    std::string held;
    for (const ModifierSides& modifier : kModifierSides) {
        if (IsDown(modifier.left) || IsDown(modifier.right))
            held += (held.empty() ? "" : ", ") + std::string(modifier.name);
    }
    return held;
}

} // namespace who
