#include "census/windows/ShortcutSource.h"

#include "census/windows/ShortcutFiles.h"
#include "census/windows/ShortcutTargets.h"
#include "win32/WideText.h"

#include <commctrl.h>

std::optional<Combination> ShortcutCombination(WORD hotkey)
{
    const unsigned key = LOBYTE(hotkey);
    const unsigned flags = HIBYTE(hotkey);
    if (!key)
        return std::nullopt;
    // HOTKEYF_EXT marks an extended key, and changes nothing of the combination.
    unsigned modifiers = 0;
    if (flags & HOTKEYF_SHIFT)
        modifiers |= kModShift;
    if (flags & HOTKEYF_CONTROL)
        modifiers |= kModCtrl;
    if (flags & HOTKEYF_ALT)
        modifiers |= kModAlt;
    return Combination{key, modifiers};
}

std::vector<ProbeResult> ShortcutSource::Census()
{
    const std::vector<ShortcutHotkey> found = FindShortcutHotkeys();
    if (found.empty())
        return {};
    // Only files with a hotkey are handed to the shell: the header alone
    // tells the others apart much faster.
    const ShortcutTargets targets;
    std::vector<ProbeResult> rows;
    for (const ShortcutHotkey& shortcut : found) {
        const std::optional<Combination> combo = ShortcutCombination(shortcut.hotkey);
        if (!combo)
            continue;
        ProbeResult row = m_platform.Row(*combo, ProbeResult::State::Taken);
        row.holder = Utf8FromWide(shortcut.path);
        row.action = Utf8FromWide(targets.Action(shortcut.path));
        rows.push_back(std::move(row));
    }
    return rows;
}
