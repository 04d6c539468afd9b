#include "census/windows/ConsoleInterrupt.h"

namespace who {

namespace {

// The system ends a process whose console closes a few seconds after the
// handler returns, whatever it returns; the undoing must fit in before.
constexpr DWORD kUndoWaitMs = 4000;

// Made once and never closed: a handler may still be waiting on them while
// the object that used them goes.
HANDLE ManualEvent() { return ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }
const HANDLE g_stop = ManualEvent();
const HANDLE g_done = ManualEvent();

} // namespace

ConsoleInterrupt::ConsoleInterrupt() : m_stop(g_stop)
{
    ::ResetEvent(g_stop);
    ::ResetEvent(g_done);
    ::SetConsoleCtrlHandler(Handler, TRUE);
}

ConsoleInterrupt::~ConsoleInterrupt()
{
    ::SetConsoleCtrlHandler(Handler, FALSE);
    ::SetEvent(g_done);
}

BOOL WINAPI ConsoleInterrupt::Handler(DWORD)
{
    ::SetEvent(g_stop);
    ::WaitForSingleObject(g_done, kUndoWaitMs);
    return TRUE;
}

} // namespace who
