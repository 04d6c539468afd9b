#pragma once

#include "census/core/CensusBackend.h"

#include <windows.h>

#include <optional>

// The combination of a shortcut file's hotkey: HOTKEYF_SHIFT, _CONTROL and
// _ALT map onto Shift, Ctrl and Alt; a shortcut cannot hold Win. Nothing for
// a hotkey without a key.
std::optional<Combination> ShortcutCombination(WORD hotkey);

// The hotkeys of the shortcut files Explorer acts on, one row per file: its
// path is the holder, its target with arguments the action. Explorer lets two
// files share a hotkey, and so does this table.
class ShortcutSource : public TableSource
{
public:
    // Names the keys as the platform does.
    explicit ShortcutSource(const CensusBackend& platform) : m_platform(platform) { }

    std::string_view SourceName() const override { return "shortcut"; }
    std::vector<ProbeResult> Census() override;

private:
    const CensusBackend& m_platform;
};
