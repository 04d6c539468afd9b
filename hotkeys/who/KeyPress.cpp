#include "hotkeys/who/KeyPress.h"

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

} // namespace

std::vector<KeyStroke> PressStrokes(WORD key, UINT modifiers)
{
    std::vector<WORD> held;
    for (const auto& [modifier, modifierKey] : kModifierKeys) {
        if (modifiers & modifier)
            held.push_back(modifierKey);
    }

    std::vector<KeyStroke> strokes;
    for (WORD modifierKey : held)
        strokes.push_back({modifierKey, false});
    strokes.push_back({key, false});
    strokes.push_back({key, true});
    if (modifiers & (MOD_ALT | MOD_WIN)) {
        strokes.push_back({kMaskKey, false});
        strokes.push_back({kMaskKey, true});
    }
    for (auto modifierKey = held.rbegin(); modifierKey != held.rend(); ++modifierKey)
        strokes.push_back({*modifierKey, true});
    return strokes;
}

bool SendStrokes(const std::vector<KeyStroke>& strokes)
{
    if (SendKeys(strokes) == strokes.size())
        return true;
    std::vector<KeyStroke> releases;
    for (const KeyStroke& stroke : strokes) {
        if (stroke.up)
            releases.push_back(stroke);
    }
    // Nothing more to do if even this is refused: what was refused never went down.
    SendKeys(releases);
    return false;
}

} // namespace who
