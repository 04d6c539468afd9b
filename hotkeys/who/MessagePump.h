#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace who {

// Waits until one of the handles is signalled, the time is up or, checked
// after each round of messages, done() holds, dispatching every message of
// the calling thread meanwhile: a thread that holds a hook
// must keep reading them, for the system may run the hook there for programs
// of the other bitness. A WM_QUIT taken meanwhile is posted again on return,
// so that the caller's own loop still ends. Returns the index of the signalled
// handle, WAIT_TIMEOUT (also when done), or WAIT_FAILED.
DWORD WaitDispatching(
    const std::vector<HANDLE>& handles, DWORD timeoutMs, const std::function<bool()>& done = {});

} // namespace who
