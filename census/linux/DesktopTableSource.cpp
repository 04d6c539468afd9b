#include "census/linux/DesktopTableSource.h"

#include "census/core/CombinationText.h"
#include "census/linux/Keysyms.h"

#include <algorithm>

namespace {

ProbeResult ShortcutRow(const DesktopShortcut& shortcut)
{
    ProbeResult row{{shortcut.keysym, shortcut.modifiers}, ProbeResult::State::Taken, {}, shortcut.keyName,
        CombinationText(shortcut.modifiers, shortcut.keyName), {}};
    if (!shortcut.error.empty()) {
        row.state = ProbeResult::State::Failed;
        row.error = shortcut.error;
        row.comboText.clear();
    }
    row.holder = shortcut.holder;
    row.action = shortcut.action;
    return row;
}

// A table that could not be read leaves the holder unknown, as well as the key.
bool IsTableFailure(const ProbeResult& row)
{
    return row.state == ProbeResult::State::Failed && row.holder.empty();
}

// Taken rows whose code is the keysym, a failed row for each shortcut whose
// key could not be read, and for a table that could not be read one failed
// row without key or holder.
std::vector<ProbeResult> DesktopRows(const DesktopReading& reading)
{
    if (!reading.failure.empty())
        return {{{0, 0}, ProbeResult::State::Failed, reading.failure, {}, {}, {}}};
    std::vector<ProbeResult> rows;
    rows.reserve(reading.shortcuts.size());
    for (const DesktopShortcut& shortcut : reading.shortcuts)
        rows.push_back(ShortcutRow(shortcut));
    return rows;
}

} // namespace

std::vector<ProbeResult> DesktopTableSource::Census() { return DesktopRows(ReadDesktopShortcuts(m_table)); }

// A table that could not be read fails for the very combination asked about.
std::vector<ProbeResult> DesktopTableSource::Check(const Combination& combo)
{
    std::vector<ProbeResult> rows = TableSource::Check(combo);
    for (ProbeResult& row : rows) {
        if (IsTableFailure(row)) {
            ProbeResult asked = m_platform.Row(combo, ProbeResult::State::Failed);
            asked.error = std::move(row.error);
            row = std::move(asked);
        }
    }
    return rows;
}

// Nobody can tell whether a table that could not be read holds the
// combination, nor whether a shortcut with the same modifiers and an
// unreadable key does. Keys compare as keysyms, letters in lower case, as the
// desktops compare them: Alt+Win+N is the table's <Super><Alt>n. A key that
// carries several keysyms (KP_End and KP_1) holds the shortcuts of each.
bool DesktopTableSource::Matches(const ProbeResult& row, const Combination& combo) const
{
    if (IsTableFailure(row))
        return true;
    if (row.combo.modifiers != combo.modifiers)
        return false;
    if (row.state == ProbeResult::State::Failed)
        return true;
    const std::vector<unsigned> keysyms = m_platform.Keysyms(combo.key);
    const unsigned wanted = LowerKeysym(row.combo.key);
    return std::any_of(
        keysyms.begin(), keysyms.end(), [&](unsigned keysym) { return LowerKeysym(keysym) == wanted; });
}
