#pragma once

#include <X11/Xlib.h>

// Held around every pass of grabbing and releasing, so that two of our own
// processes never probe one display at the same time: each would take the
// other's momentary grabs for someone's shortcuts. The lock is a file lock on
// a file of this user's, named after the display, and the system lets go of it
// when its holder dies.
class DisplayProbeLock
{
public:
    // Throws std::runtime_error when the lock cannot be had within a few
    // seconds, or its file is not this user's own.
    explicit DisplayProbeLock(Display* display);
    ~DisplayProbeLock();

    DisplayProbeLock(const DisplayProbeLock&) = delete;
    DisplayProbeLock& operator=(const DisplayProbeLock&) = delete;

private:
    int m_file = -1;
};
