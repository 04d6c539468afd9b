#include "census/linux/Accelerator.h"

#include "census/core/Combination.h"
#include "census/core/CombinationText.h"
#include "census/linux/Keysyms.h"

#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <utility>

namespace {

// The window manager's modifier names with what each stands for: one of the
// census's modifiers, or a modifier to look up on the default keyboard.
struct ModifierName
{
    std::string_view name;
    unsigned modifiers;
    std::string_view keymapName;
};
constexpr auto kModifierNames = std::to_array<ModifierName>({
    {"Primary", kModCtrl, {}},
    {"Control", kModCtrl, {}},
    {"Ctrl", kModCtrl, {}},
    {"Ctl", kModCtrl, {}},
    {"Shift", kModShift, {}},
    {"Shft", kModShift, {}},
    {"Alt", kModAlt, {}},
    {"Super", kModWin, {}},
    {"Mod1", kModAlt, {}},
    {"Mod2", 0, {}},
    {"Mod3", 0, {}},
    {"Mod4", kModWin, {}},
    {"Mod5", 0, {}},
    {"Meta", 0, "Meta"},
    {"Hyper", 0, "Hyper"},
});

// Mutter's name for the key above Tab, whatever the layout puts there.
constexpr std::string_view kAboveTab = "Above_Tab";
constexpr unsigned kAboveTabKeycode = 49;

// An accelerator taken apart: its modifiers, then a keysym or keycode.
struct ParsedAccelerator
{
    unsigned modifiers = 0;
    std::string key; // empty for modifiers alone
    std::string error;
};

bool IsKeycode(std::string_view key)
{
    return key.size() >= 4 && key[0] == '0' && key[1] == 'x'
        && std::isxdigit(static_cast<unsigned char>(key[2]))
        && std::isxdigit(static_cast<unsigned char>(key[3]));
}

ParsedAccelerator Parse(std::string_view accelerator)
{
    ParsedAccelerator parsed;
    while (accelerator.starts_with('<')) {
        const size_t end = accelerator.find('>');
        if (end == std::string_view::npos) {
            parsed.error = "\"<\" is not closed";
            return parsed;
        }
        const std::string_view name = accelerator.substr(1, end - 1);
        accelerator.remove_prefix(end + 1);
        for (const ModifierName& known : kModifierNames) {
            if (!EqualsIgnoringCase(name, known.name))
                continue;
            const std::optional<unsigned> modifiers
                = known.keymapName.empty() ? known.modifiers : DefaultKeymapModifiers(known.keymapName);
            if (!modifiers || *modifiers == 0)
                parsed.error = "<" + std::string(name) + "> is none of Ctrl, Alt, Shift and Super";
            else
                parsed.modifiers |= *modifiers;
        }
    }
    parsed.key = accelerator;
    return parsed;
}

// The keysym of "0x26": the key of that keycode on the default keyboard.
void SetKeycodeKey(DesktopShortcut& shortcut, std::string_view key)
{
    const std::string_view digits = key.substr(2);
    unsigned keycode = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), keycode, 16);
    const unsigned keysym = error == std::errc() ? DefaultKeymapKeysym(keycode) : 0;
    SetKey(shortcut, keysym,
        "keycode " + std::string(key.substr(0, 2 + static_cast<size_t>(end - digits.data())))
            + " has no keysym");
}

} // namespace

bool IsNoAccelerator(std::string_view accelerator)
{
    if (accelerator.empty() || accelerator == "disabled")
        return true;
    const ParsedAccelerator parsed = Parse(accelerator);
    return parsed.error.empty() && parsed.key.empty();
}

void SetAcceleratorKey(DesktopShortcut& shortcut, std::string_view accelerator)
{
    ParsedAccelerator parsed = Parse(accelerator);
    shortcut.modifiers |= parsed.modifiers;
    if (!parsed.error.empty()) {
        shortcut.error = std::move(parsed.error);
        return;
    }
    const std::string_view key = parsed.key;
    if (key.empty()) {
        shortcut.error = QuotedLine(accelerator) + " names no key";
        return;
    }
    if (IsKeycode(key)) {
        SetKeycodeKey(shortcut, key);
        return;
    }
    if (key == kAboveTab) {
        SetKey(shortcut, DefaultKeymapKeysym(kAboveTabKeycode), "the key above Tab has no keysym");
        return;
    }
    unsigned keysym = KeysymFromNameIgnoringCase(key);
    if (keysym == 0)
        keysym = KeysymFromNameIgnoringCase("XF86" + std::string(key));
    SetKey(shortcut, keysym, UnknownKeysym(key));
}
