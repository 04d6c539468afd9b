#include "hotkeys/who/ThreadHooks.h"

#include "hotkeys/who/MachineType.h"
#include "win32/UniqueHandle.h"

#include <tlhelp32.h>

#include <map>

namespace who {

namespace {

// Whether the process's code is of this program's machine type; false where
// that cannot be told, as for processes this one may not look into: those
// would not load its hook either.
bool SameMachine(DWORD processId)
{
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return process && ProcessMachine(process.get()) == kOwnBitness.machine;
}

} // namespace

ThreadHooks::ThreadHooks(const HookLibrary& library)
{
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    const DWORD self = ::GetCurrentProcessId();
    std::map<DWORD, bool> hookable;
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    for (BOOL more = ::Thread32First(snapshot, &thread); more; more = ::Thread32Next(snapshot, &thread)) {
        const DWORD processId = thread.th32OwnerProcessID;
        if (processId == self)
            continue;
        const auto known = hookable.try_emplace(processId, false);
        if (known.second)
            known.first->second = SameMachine(processId);
        if (!known.first->second)
            continue;
        // Only threads with a message queue take hotkeys; the others are
        // left alone rather than given hook state the system keeps for them.
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        if (!::GetGUIThreadInfo(thread.th32ThreadID, &gui))
            continue;
        // Threads on another desktop refuse the hook: their hotkeys are not this desktop's.
        auto hook = std::make_unique<WindowsHook>(library, thread.th32ThreadID);
        if (hook->Installed())
            m_hooks.push_back(std::move(hook));
    }
    ::CloseHandle(snapshot);
}

} // namespace who
