#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The HotKey field of a shortcut file's header, as the Shell Link binary
// format lays it out: the virtual-key code in the low byte, HOTKEYF_* flags in
// the high byte; 0 for none. Nothing for bytes that are no shortcut's header
// or are cut short.
std::optional<WORD> ShortcutHotkeyIn(const BYTE* header, size_t size);

// The same, read from the file; nothing for a file that cannot be read.
std::optional<WORD> ReadShortcutHotkey(const std::wstring& path);

// A shortcut file that declares a hotkey.
struct ShortcutHotkey
{
    std::wstring path;
    WORD hotkey;
};

// The shortcut files with a hotkey where Explorer acts on it: anywhere under
// the user's and the common Start menu, and directly on the user's and the
// public Desktop. Folders and files that cannot be read are passed over.
std::vector<ShortcutHotkey> FindShortcutHotkeys();
