// Microsoft's list "Keyboard shortcuts in Windows", the shortcuts of the whole
// desktop. Narrator's Ctrl+Win+Enter and the accessibility features' hotkeys
// are read from their settings elsewhere, and so are not here.
#include "census/windows/WindowsShortcutCatalogue.h"

#include "census/core/Combination.h"

#include <windows.h>

namespace {

using enum ShortcutTaker;
using enum WindowsRelease;

constexpr unsigned kWin = kModWin;
constexpr unsigned kWinCtrl = kModWin | kModCtrl;
constexpr unsigned kWinShift = kModWin | kModShift;
constexpr unsigned kWinAlt = kModWin | kModAlt;

constexpr CatalogueShortcut kCatalogue[] = {
    // The system's own.
    {kModCtrl | kModAlt, VK_DELETE, VK_DELETE, Windows, Both, "Open the security screen"},
    {kModCtrl | kModShift, VK_ESCAPE, VK_ESCAPE, Windows, Both, "Open Task Manager"},
    {kModCtrl, VK_ESCAPE, VK_ESCAPE, Windows, Both, "Open Start"},
    {kModAlt, VK_TAB, VK_TAB, Windows, Both, "Switch between open apps"},
    {kModAlt | kModShift, VK_TAB, VK_TAB, Windows, Both, "Switch between open apps in reverse order"},
    {kModCtrl | kModAlt, VK_TAB, VK_TAB, Windows, Both,
        "View open apps and switch between them with the arrow keys"},
    {kModAlt, VK_ESCAPE, VK_ESCAPE, Windows, Both,
        "Cycle through items in the order in which they were opened"},
    {kWin, 'L', 'L', Windows, Both, "Lock the PC"},
    {kWin, 'U', 'U', Windows, Windows10, "Open Ease of Access Center"},
    {kWin, 'U', 'U', Windows, Windows11, "Open Accessibility settings"},
    {kWinCtrl | kModShift, 'B', 'B', Windows, Both, "Wake the PC from a blank or black screen"},

    // Explorer's, letters first.
    {kWin, 'A', 'A', Explorer, Windows10, "Open Action center"},
    {kWin, 'A', 'A', Explorer, Windows11, "Open Quick Settings"},
    {kWin, 'B', 'B', Explorer, Both, "Set focus in the notification area"},
    {kWin, 'C', 'C', Explorer, Windows10, "Open Cortana in listening mode"},
    {kWin, 'C', 'C', Explorer, Windows11, "Open Copilot"},
    {kWin, 'D', 'D', Explorer, Both, "Display and hide the desktop"},
    {kWinAlt, 'D', 'D', Explorer, Both, "Display and hide the date and time on the desktop"},
    {kWinCtrl, 'D', 'D', Explorer, Both, "Add a virtual desktop"},
    {kWin, 'E', 'E', Explorer, Both, "Open File Explorer"},
    {kWin, 'F', 'F', Explorer, Both, "Open Feedback Hub"},
    {kWinCtrl, 'F', 'F', Explorer, Both, "Search for PCs on a network"},
    {kWin, 'G', 'G', Explorer, Both, "Open Xbox Game Bar"},
    {kWin, 'H', 'H', Explorer, Windows10, "Start dictation"},
    {kWin, 'H', 'H', Explorer, Windows11, "Launch voice typing"},
    {kWin, 'I', 'I', Explorer, Both, "Open Settings"},
    {kWin, 'J', 'J', Explorer, Both, "Set focus to a Windows tip when one is available"},
    {kWin, 'K', 'K', Explorer, Windows10, "Open the Connect quick action"},
    {kWin, 'K', 'K', Explorer, Windows11, "Open Cast from Quick Settings"},
    {kWinAlt, 'K', 'K', Explorer, Windows11, "Toggle microphone mute in apps that support it"},
    {kWin, 'M', 'M', Explorer, Both, "Minimize all windows"},
    {kWinShift, 'M', 'M', Explorer, Both, "Restore minimized windows on the desktop"},
    {kWin, 'N', 'N', Explorer, Windows11, "Open notification center and calendar"},
    {kWinCtrl, 'N', 'N', Explorer, Both, "Open Narrator settings"},
    {kWin, 'O', 'O', Explorer, Both, "Lock the device orientation"},
    {kWinCtrl, 'O', 'O', Explorer, Both, "Turn on the On-Screen Keyboard"},
    {kWin, 'P', 'P', Explorer, Both, "Choose a presentation display mode"},
    {kWin, 'Q', 'Q', Explorer, Both, "Open search"},
    {kWinCtrl, 'Q', 'Q', Explorer, Both, "Open Quick Assist"},
    {kWin, 'R', 'R', Explorer, Both, "Open the Run dialog box"},
    {kWin, 'S', 'S', Explorer, Both, "Open search"},
    {kWinShift, 'S', 'S', Explorer, Both, "Take a screenshot of part of the screen"},
    {kWin, 'T', 'T', Explorer, Both, "Cycle through apps on the taskbar"},
    {kWin, 'V', 'V', Explorer, Both, "Open the clipboard history"},
    {kWin, 'W', 'W', Explorer, Windows10, "Open Windows Ink Workspace"},
    {kWin, 'W', 'W', Explorer, Windows11, "Open Widgets"},
    {kWin, 'X', 'X', Explorer, Both, "Open the Quick Link menu"},
    {kWin, 'Y', 'Y', Explorer, Both, "Switch input between Windows Mixed Reality and the desktop"},
    {kWin, 'Z', 'Z', Explorer, Windows10, "Show the commands available in an app in full-screen mode"},
    {kWin, 'Z', 'Z', Explorer, Windows11, "Open the snap layouts"},
    {kWinCtrl, 'C', 'C', Explorer, Both, "Turn color filters on or off"},

    // The taskbar's apps by their position.
    {kWin, '0', '9', Explorer, Both, "Open or switch to the app pinned to the taskbar at this position"},
    {kWinShift, '0', '9', Explorer, Both,
        "Start a new instance of the app pinned to the taskbar at this position"},
    {kWinCtrl, '0', '9', Explorer, Both,
        "Switch to the last active window of the app pinned to the taskbar at this position"},
    {kWinAlt, '0', '9', Explorer, Both,
        "Open the Jump List of the app pinned to the taskbar at this position"},
    {kWinCtrl | kModShift, '0', '9', Explorer, Both,
        "Open another instance as an administrator of the app pinned to the taskbar at this position"},

    // Windows and desktops.
    {kWin, VK_TAB, VK_TAB, Explorer, Both, "Open Task view"},
    {kWin, VK_HOME, VK_HOME, Explorer, Both, "Minimize all except the active desktop window"},
    {kWin, VK_UP, VK_UP, Explorer, Both, "Maximize the window"},
    {kWin, VK_DOWN, VK_DOWN, Explorer, Both, "Restore or minimize the window"},
    {kWin, VK_LEFT, VK_LEFT, Explorer, Both, "Snap the window to the left side of the screen"},
    {kWin, VK_RIGHT, VK_RIGHT, Explorer, Both, "Snap the window to the right side of the screen"},
    {kWinShift, VK_UP, VK_UP, Explorer, Both, "Stretch the window to the top and bottom of the screen"},
    {kWinShift, VK_DOWN, VK_DOWN, Explorer, Both,
        "Restore or minimize the window vertically, keeping its width"},
    {kWinShift, VK_LEFT, VK_LEFT, Explorer, Both, "Move the window to the monitor on the left"},
    {kWinShift, VK_RIGHT, VK_RIGHT, Explorer, Both, "Move the window to the monitor on the right"},
    {kWinCtrl, VK_LEFT, VK_LEFT, Explorer, Both, "Switch to the virtual desktop on the left"},
    {kWinCtrl, VK_RIGHT, VK_RIGHT, Explorer, Both, "Switch to the virtual desktop on the right"},
    {kWinCtrl, VK_F4, VK_F4, Explorer, Both, "Close the virtual desktop in use"},

    // Input, screenshots, Magnifier and the rest.
    {kWin, VK_SPACE, VK_SPACE, Explorer, Both, "Switch input language and keyboard layout"},
    {kWinCtrl, VK_SPACE, VK_SPACE, Explorer, Both, "Change to a previously selected input"},
    {kWin, VK_OEM_PERIOD, VK_OEM_PERIOD, Explorer, Both, "Open the emoji panel"},
    {kWin, VK_OEM_1, VK_OEM_1, Explorer, Both, "Open the emoji panel"},
    {kWin, VK_OEM_2, VK_OEM_2, Explorer, Both, "Begin IME reconversion"},
    {kWin, VK_OEM_COMMA, VK_OEM_COMMA, Explorer, Both, "Temporarily peek at the desktop"},
    {kWin, VK_PAUSE, VK_PAUSE, Explorer, Windows10, "Display the System Properties dialog box"},
    {kWin, VK_PAUSE, VK_PAUSE, Explorer, Windows11, "Open the About page of Settings"},
    {kWin, VK_SNAPSHOT, VK_SNAPSHOT, Explorer, Both,
        "Take a screenshot and save it to the Screenshots folder"},
    {kWin, VK_OEM_PLUS, VK_OEM_PLUS, Explorer, Both, "Open Magnifier and zoom in"},
    {kWin, VK_OEM_MINUS, VK_OEM_MINUS, Explorer, Both, "Zoom out in Magnifier"},
    {kWin, VK_ESCAPE, VK_ESCAPE, Explorer, Both, "Close Magnifier"},
};

} // namespace

std::span<const CatalogueShortcut> WindowsShortcutCatalogue() { return kCatalogue; }
