#pragma once

#include "win32/UniqueHandle.h"

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

// Why the probe lock could not be had; error is the system's code
// (ERROR_TIMEOUT when another probe held it too long).
class ProbeLockError : public std::runtime_error
{
public:
    ProbeLockError(const std::string& what, DWORD code) : std::runtime_error(what), error(code) { }
    DWORD error;
};

// Held around every pass of registering and releasing hotkeys, by every probe
// of ours in this desktop session, the dialog's and the console census's, at
// any integrity level of the user: two probes at once would each take the
// other's momentary registrations for hotkeys that somebody holds. A lock
// whose holder died is taken over: its pass ended with it.
class ProbeLock
{
public:
    // Waits for the lock; throws ProbeLockError when the system refuses it or
    // another probe keeps it longer than a census ever takes.
    ProbeLock();
    ~ProbeLock();

    // What a program does to say that it waits for another probe, once per
    // wait, before waiting: set once, before any probe.
    static std::function<void()>& WaitNotice();

    ProbeLock(const ProbeLock&) = delete;
    ProbeLock& operator=(const ProbeLock&) = delete;

private:
    UniqueHandle m_mutex;
};
