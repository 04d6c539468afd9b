#pragma once

#include <gtest/gtest.h>

#include "census/core/CombinationText.h"
#include "census/linux/DesktopShortcut.h"

#include <algorithm>
#include <string>

// A row as "combination | holder | action"; a row whose key could not be
// read shows "! error" instead of its combination.
inline std::string Line(const DesktopShortcut& shortcut)
{
    const std::string key = shortcut.error.empty() ? CombinationText(shortcut.modifiers, shortcut.keyName)
                                                   : "! " + shortcut.error;
    return key + " | " + shortcut.holder + " | " + shortcut.action;
}

inline std::string AllLines(const DesktopReading& reading)
{
    std::string lines;
    for (const DesktopShortcut& shortcut : reading.shortcuts)
        lines += Line(shortcut) + "\n";
    return lines;
}

inline testing::AssertionResult Lists(const DesktopReading& reading, const std::string& line)
{
    const bool found = std::any_of(reading.shortcuts.begin(), reading.shortcuts.end(),
        [&](const DesktopShortcut& shortcut) { return Line(shortcut) == line; });
    if (found)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no row \"" << line << "\" among\n" << AllLines(reading);
}

// The rows whose line ends with that text: a holder and action, say.
inline size_t Count(const DesktopReading& reading, const std::string& ending)
{
    return static_cast<size_t>(std::count_if(reading.shortcuts.begin(), reading.shortcuts.end(),
        [&](const DesktopShortcut& shortcut) { return Line(shortcut).ends_with(ending); }));
}
