#pragma once

#include <windows.h>

namespace who {

// While it lives, Ctrl+C, Ctrl+Break and the closing of the console signal
// its stop event instead of ending the process at once, and the process ends
// only once the object is gone (or after a few seconds), so that whatever the
// program set up is undone first. One at a time.
class ConsoleInterrupt
{
public:
    ConsoleInterrupt();
    ~ConsoleInterrupt();

    ConsoleInterrupt(const ConsoleInterrupt&) = delete;
    ConsoleInterrupt& operator=(const ConsoleInterrupt&) = delete;

    HANDLE StopEvent() const { return m_stop; }
    bool Stopped() const { return ::WaitForSingleObject(m_stop, 0) == WAIT_OBJECT_0; }

private:
    static BOOL WINAPI Handler(DWORD event);

    HANDLE m_stop;
};

} // namespace who
