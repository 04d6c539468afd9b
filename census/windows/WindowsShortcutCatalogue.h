#pragma once

#include <span>

// Which releases of Windows a shortcut is Windows' own in.
enum class WindowsRelease
{
    Both,
    Windows10,
    Windows11
};

// Who takes the shortcut: Explorer, which the Win-key policies govern, or the
// rest of the system, which keeps its shortcuts whatever they say.
enum class ShortcutTaker
{
    Windows,
    Explorer
};

// One of Windows' own shortcuts as Microsoft publishes them, for every key
// from the first to the last (digits 0 to 9, say).
struct CatalogueShortcut
{
    unsigned modifiers; // the census's modifier bits
    unsigned firstKey;  // virtual-key codes
    unsigned lastKey;
    ShortcutTaker taker;
    WindowsRelease release;
    const char* action;
};

// The global shortcuts of Windows 10 and 11, not those that act inside the
// window with the focus.
std::span<const CatalogueShortcut> WindowsShortcutCatalogue();
