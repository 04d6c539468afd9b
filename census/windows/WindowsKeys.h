#pragma once

#include <optional>
#include <string>
#include <string_view>

// The virtual-key code a name stands for, 1 to 255: a description of the key
// name table ("Page Up") or its symbol with or without the VK_ prefix
// ("PRIOR", "VK_PRIOR"), in any case; an alias (Esc, PgUp, PgDn, Del, Ins,
// Space, Enter, Plus, Minus); or a code ("0x21"). A description that several
// keys share stands for none of them, unless it is also a symbol.
std::optional<unsigned> ParseWindowsKey(std::string_view name);

// The key as a combination text writes it: its description where that names
// it alone, else its symbol without VK_, else its code.
std::string WindowsKeyText(unsigned key);

// The key's description as the dialog shows it; empty where there is none.
std::string WindowsKeyName(unsigned key);
