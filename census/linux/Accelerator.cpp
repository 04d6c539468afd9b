#include "census/linux/Accelerator.h"

#include "census/core/Combination.h"
#include "census/core/CombinationText.h"
#include "census/linux/Keysyms.h"

#include <array>
#include <utility>

namespace {

constexpr auto kModifierNames = std::to_array<std::pair<std::string_view, unsigned>>({
    {"Primary", kModCtrl},
    {"Control", kModCtrl},
    {"Ctrl", kModCtrl},
    {"Alt", kModAlt},
    {"Shift", kModShift},
    {"Super", kModWin},
});

// Mutter's name for the key above Tab, whatever the layout puts there.
constexpr std::string_view kAboveTab = "Above_Tab";
constexpr unsigned kAboveTabKeycode = 49;

} // namespace

bool IsNoAccelerator(std::string_view accelerator)
{
    return accelerator.empty() || accelerator == "disabled";
}

void SetAcceleratorKey(DesktopShortcut& shortcut, std::string_view accelerator)
{
    std::string_view rest = accelerator;
    while (rest.starts_with('<')) {
        const size_t end = rest.find('>');
        if (end == std::string_view::npos)
            break;
        const std::string_view name = rest.substr(1, end - 1);
        bool known = false;
        for (const auto& [modifierName, modifier] : kModifierNames) {
            if (EqualsIgnoringCase(name, modifierName)) {
                shortcut.modifiers |= modifier;
                known = true;
            }
        }
        if (!known) {
            shortcut.error = "<" + std::string(name) + "> is none of Ctrl, Alt, Shift and Super";
            return;
        }
        rest.remove_prefix(end + 1);
    }
    if (rest == kAboveTab) {
        SetKey(shortcut, DefaultKeymapKeysym(kAboveTabKeycode), "the key above Tab has no keysym");
        return;
    }
    SetKey(shortcut, KeysymFromName(rest), UnknownKeysym(rest));
}
