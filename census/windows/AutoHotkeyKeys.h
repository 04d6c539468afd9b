#pragma once

#include "census/core/Combination.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The virtual-key code of an AutoHotkey key name: its own names (CapsLock,
// NumpadDot, Media_Next…), the names it shares with the key table (F1, Home,
// LWin…), vkNN and scNNN, and single characters as the keyboard layout types
// them. Nothing for names that stand for no key (the mouse wheel).
std::optional<unsigned> AutoHotkeyKey(std::string_view name);

// What a hotkey label ("^!k", "<#F9 up", "CapsLock & j", "*~$F1") takes.
struct HotkeyLabel
{
    // Every combination it holds: one, or with "*" every one with more
    // modifiers than those written.
    std::vector<Combination> combos;
    // What a reader needs to know beside the combination: a custom
    // combination and its prefix key, a release, any modifiers.
    std::vector<std::string> notes;
};

// Nothing for text that is no hotkey label.
std::optional<HotkeyLabel> ParseHotkeyLabel(std::string_view label);
