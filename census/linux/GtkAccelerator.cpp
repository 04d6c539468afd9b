#include "census/linux/GtkAccelerator.h"

#include "census/core/Combination.h"
#include "census/core/CombinationText.h"
#include "census/linux/Keysyms.h"

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <string>
#include <utility>

namespace {

// Super is the virtual modifier that Xfce's grabber maps to the real one it
// lives on: Mod4 on every keyboard X sets up by default.
constexpr auto kModifiers = std::to_array<std::pair<std::string_view, unsigned>>({
    {"Primary", kModCtrl},
    {"Control", kModCtrl},
    {"Ctrl", kModCtrl},
    {"Ctl", kModCtrl},
    {"Shift", kModShift},
    {"Shft", kModShift},
    {"Alt", kModAlt},
    {"Mod1", kModAlt},
    {"Super", kModWin},
    {"Mod4", kModWin},
});

// Modifiers GTK knows that no combination of the census has.
constexpr auto kOtherModifiers
    = std::to_array<std::string_view>({"Release", "Meta", "Hyper", "Mod2", "Mod3", "Mod5"});

} // namespace

void SetGtkAcceleratorKey(DesktopShortcut& shortcut, std::string_view accelerator)
{
    std::string_view rest = accelerator;
    while (rest.starts_with('<')) {
        const size_t end = rest.find('>');
        const std::string_view name = rest.substr(1, end == std::string_view::npos ? end : end - 1);
        for (const auto& [modifierName, modifier] : kModifiers) {
            if (EqualsIgnoringCase(name, modifierName))
                shortcut.modifiers |= modifier;
        }
        for (const std::string_view other : kOtherModifiers) {
            if (EqualsIgnoringCase(name, other)) {
                shortcut.error = "<" + std::string(name) + "> is none of Ctrl, Alt, Shift and Super";
                return;
            }
        }
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    const std::string name(rest);
    const xkb_keysym_t keysym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
    SetKey(shortcut, xkb_keysym_to_lower(keysym), UnknownKeysym(rest));
}
