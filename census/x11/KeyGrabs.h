#pragma once

#include <X11/Xlib.h>

#include <span>
#include <vector>

// A passive grab of one key on the root window with exactly these modifiers.
struct KeyGrab
{
    unsigned keycode;
    unsigned modifiers; // X modifier mask: ShiftMask, ControlMask, Mod1Mask, ...

    bool operator==(const KeyGrab&) const = default;
};

// The server's answer to one grab.
struct GrabAnswer
{
    enum class Kind
    {
        Free,   // granted, and released again
        Taken,  // BadAccess: another client holds it
        Failed, // any other error
    };
    Kind kind;
    int errorCode; // the X error code when Failed
};

// Tries every grab on the default screen's root window and releases each one
// with the very next request. The whole batch goes out at once and ends with a
// single round trip, so that no grab outlives it; errors are matched to their
// requests by sequence number. Answers come in the order of the grabs.
std::vector<GrabAnswer> TryGrabs(Display* display, std::span<const KeyGrab> grabs);
