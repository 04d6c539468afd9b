#pragma once

#include "win32/UniqueHandle.h"

#include <windows.h>

#include <string>

namespace who {

// The helper program that holds the hook of the other bitness for as long as
// this object lives, where the system runs programs of the other bitness.
// Every wait for it dispatches the calling thread's messages.
class OtherBitnessHelper
{
public:
    OtherBitnessHelper();
    // Tells the helper to remove its hooks and waits for it to end.
    ~OtherBitnessHelper();

    OtherBitnessHelper(const OtherBitnessHelper&) = delete;
    OtherBitnessHelper& operator=(const OtherBitnessHelper&) = delete;

    // Zero when there is no helper running.
    DWORD ProcessId() const { return m_processId; }
    // Why no helper runs where the system runs programs of the other
    // bitness; empty when one does, or when the system runs none.
    const std::string& Gap() const { return m_gap; }

private:
    void Start();

    // Handed to the helper by inheritance, never by a name another program could take first.
    UniqueHandle m_ready;
    UniqueHandle m_quit;
    UniqueHandle m_self;
    UniqueHandle m_process;
    DWORD m_processId = 0;
    std::string m_gap;
};

} // namespace who
