#pragma once

#include "census/windows/ReadTableSource.h"

#include <string>
#include <vector>

// A running AutoHotkey script as its hidden main window names it.
struct RunningScript
{
    std::wstring path; // the script, or a compiled script's program
    int majorVersion;
    unsigned long processId;
};

// The title of a script's main window, "<path> - AutoHotkey v<version>";
// nothing for any other title.
std::optional<RunningScript> ScriptOfTitle(const std::wstring& title);

// The hotkeys the running AutoHotkey scripts declare, one row per combination
// and label or Hotkey command: holder "<file>:<line>", action the command on
// the label's line or the label's or function's name. A script or include
// that cannot be read is a failed row saying why.
class AutoHotkeySource : public ReadTableSource
{
public:
    explicit AutoHotkeySource(const CensusBackend& platform) : ReadTableSource(platform) { }

    std::string_view SourceName() const override { return "autohotkey"; }
    std::vector<ProbeResult> Census() override;
};
