#pragma once

#include <array>

// One virtual-key code with its name in the Windows headers and the text the
// hotkey list shows for it. Codes without a key carry a placeholder in both.
struct VirtualKeyName
{
    int code;
    const char* symbol;
    const char* description; // null where there is nothing to show
};

// Indexed by virtual-key code 0..255; look records up by position, not by code.
extern const std::array<VirtualKeyName, 256> g_virtualKeyNames;
