#include "hotkeys/who/Coverage.h"

#include "hotkeys/who/Claim.h"
#include "hotkeys/who/MachineType.h"
#include "win32/WideText.h"
#include "win32/UniqueHandle.h"

#include <tlhelp32.h>

#include <map>

namespace who {

namespace {

bool HasMessageQueue(DWORD threadId)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return ::GetGUIThreadInfo(threadId, &gui);
}

// Programs of other sessions, services among them, never see this desktop's keys.
USHORT MachineOf(DWORD processId, DWORD session)
{
    DWORD theirs = 0;
    if (!::ProcessIdToSessionId(processId, &theirs) || theirs != session)
        return IMAGE_FILE_MACHINE_UNKNOWN;
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    return process ? ProcessMachine(process.get()) : USHORT{IMAGE_FILE_MACHINE_UNKNOWN};
}

} // namespace

std::string UncoveredPrograms(USHORT helperMachine)
{
    const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE)
        return "the programs of this desktop could not be listed, so no hook can be known to reach them all";
    DWORD session = 0;
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
    std::map<DWORD, USHORT> machines;
    THREADENTRY32 thread{};
    thread.dwSize = sizeof thread;
    for (BOOL more = ::Thread32First(snapshot.get(), &thread); more;
         more = ::Thread32Next(snapshot.get(), &thread)) {
        const DWORD processId = thread.th32OwnerProcessID;
        const auto known = machines.try_emplace(processId, USHORT{IMAGE_FILE_MACHINE_UNKNOWN});
        if (known.second)
            known.first->second = MachineOf(processId, session);
        const USHORT machine = known.first->second;
        if (machine == IMAGE_FILE_MACHINE_UNKNOWN || machine == kOwnBitness.machine || machine == helperMachine
            || !HasMessageQueue(thread.th32ThreadID))
            continue;
        const std::wstring image = ProcessImage(processId);
        return std::string(MachineName(machine)) + " programs run on this desktop, such as "
            + Utf8FromWide(image.substr(image.find_last_of(L"\\/") + 1)) + " (" + std::to_string(processId)
            + "), and no hook of ours reaches them";
    }
    return {};
}

} // namespace who
