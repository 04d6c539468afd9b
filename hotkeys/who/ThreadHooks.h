#pragma once

#include "hotkeys/who/HookModules.h"

#include <memory>
#include <vector>

namespace who {

// The library's hook installed, thread by thread, in every thread with a
// message queue that runs now in a process of this bitness other than this
// one, for the lifetime of the object.
//
// The helper does this instead of hooking all threads at once: some systems
// (Wine) end a thread's hook chain at a global hook whose DLL does not load
// there, so a global hook of this bitness would keep the census program's
// hook from running in its own programs. A thread's own hooks run before the
// global ones, and are never offered to threads of the other bitness.
class ThreadHooks
{
public:
    explicit ThreadHooks(const HookLibrary& library);

    size_t Count() const { return m_hooks.size(); }

private:
    std::vector<std::unique_ptr<WindowsHook>> m_hooks;
};

} // namespace who
