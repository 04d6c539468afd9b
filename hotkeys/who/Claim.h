#pragma once

#include "hotkeys/who/WhoProtocol.h"

#include <windows.h>

#include <optional>
#include <string>

namespace who {

// A report whose parts agree with one another: its thread runs in its
// process, and its window, if any, belongs to that thread.
struct Claim
{
    DWORD processId;
    DWORD threadId;
    std::uint64_t window;
    int hotkeyId;
    WORD key;
    UINT modifiers;
    // Found from the process id here, not taken from the report; empty when
    // the process may not be asked.
    std::wstring executable;

    bool operator==(const Claim&) const = default;
};

// The report as a claim, or nothing when its parts do not agree. Checked
// while the sender waits for the report to be taken, so that its thread and
// process are still the ones it named.
std::optional<Claim> CheckReport(const Report& report);

// The full path of the process's executable, however long; empty when the
// process may not be asked.
std::wstring ProcessImage(DWORD processId);

} // namespace who
