#pragma once

#include <chrono>
#include <string>
#include <vector>

// One shortcut of a desktop's table.
struct DesktopShortcut
{
    unsigned modifiers = 0; // kModCtrl and the others of census/core/Combination.h
    unsigned keysym = 0;    // 0 when the key could not be read: see error
    std::string keyName;    // the keysym's name
    std::string holder;     // who owns the shortcut, in the desktop's words
    std::string action;     // what it does there
    std::string error;      // why the key could not be read; empty when it could
};

// A whole table, or why it could not be read.
struct DesktopReading
{
    std::vector<DesktopShortcut> shortcuts;
    std::string failure; // empty when the table was read
};

// How long a reader waits for a desktop's daemon, from connecting to the last
// reply, before it gives up.
constexpr std::chrono::milliseconds kDesktopTimeout{2000};
