#include "census/linux/LxqtKeys.h"

#include "census/core/Combination.h"
#include "census/linux/Keysyms.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace {

// The daemon's Meta is the X modifier Mod4, where Super lives.
constexpr auto kModifiers = std::to_array<std::pair<std::string_view, unsigned>>({
    {"Shift", kModShift},
    {"Control", kModCtrl},
    {"Alt", kModAlt},
    {"Meta", kModWin},
});

} // namespace

void SetLxqtShortcutKey(DesktopShortcut& shortcut, std::string_view text)
{
    std::string_view rest = text;
    // The key's name never holds "+": the daemon writes X keysym names (plus).
    for (size_t plus = rest.find('+'); plus != std::string_view::npos; plus = rest.find('+')) {
        const std::string_view name = rest.substr(0, plus);
        const auto modifier = std::find_if(
            kModifiers.begin(), kModifiers.end(), [&](const auto& known) { return known.first == name; });
        if (modifier == kModifiers.end()) {
            shortcut.error = std::string(name) + " is none of Control, Alt, Shift and Meta";
            return;
        }
        shortcut.modifiers |= modifier->second;
        rest.remove_prefix(plus + 1);
    }
    // The daemon looks keysyms up exactly, then grabs the key that carries
    // one: its letters stand for both cases.
    const std::string name(rest);
    const xkb_keysym_t keysym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
    SetKey(shortcut, xkb_keysym_to_lower(keysym), UnknownKeysym(rest));
}
