#include "census/windows/ModifierKeys.h"

#include "census/core/CombinationText.h"

#include <windows.h>

#include <array>

namespace {

struct ModifierKey
{
    unsigned bit;
    unsigned key;
};

// In the written order of combination texts.
constexpr std::array<ModifierKey, 3> kGenericKeys = {{
    {kModCtrl, VK_CONTROL},
    {kModAlt, VK_MENU},
    {kModShift, VK_SHIFT},
}};

} // namespace

Combination ModifiersAlone(unsigned modifiers)
{
    for (auto modifier = kGenericKeys.rbegin(); modifier != kGenericKeys.rend(); ++modifier) {
        if (modifiers & modifier->bit)
            return {modifier->key, modifiers & ~modifier->bit};
    }
    return {0, modifiers};
}

Combination Written(const Combination& combo)
{
    for (const ModifierKey& modifier : kGenericKeys) {
        if (combo.key == modifier.key)
            return ModifiersAlone(combo.modifiers | modifier.bit);
    }
    return combo;
}

bool SameKeys(const Combination& a, const Combination& b) { return Written(a) == Written(b); }

std::string PressedAs(unsigned modifiers, std::string_view keyText, ModifierSide side, bool onRelease)
{
    std::string text;
    if (side != ModifierSide::Either) {
        const std::string_view sideName = side == ModifierSide::Left ? "Left " : "Right ";
        for (const unsigned bit : {kModCtrl, kModAlt, kModShift, kModWin}) {
            if (modifiers & bit)
                text += std::string(sideName) + CombinationText(bit, {});
        }
        text += keyText;
    }
    if (onRelease)
        text += text.empty() ? "on release" : ", on release";
    return text.empty() ? text : " (" + std::string(side != ModifierSide::Either ? "as " : "") + text + ")";
}
