#pragma once

#include <windows.h>

#include <string>

namespace who {

// The helper program that holds the hook of the other bitness for as long as
// this object lives, where the system runs programs of the other bitness.
class OtherBitnessHelper
{
public:
    OtherBitnessHelper();
    // Tells the helper to remove its hook and waits for it to end.
    ~OtherBitnessHelper();

    OtherBitnessHelper(const OtherBitnessHelper&) = delete;
    OtherBitnessHelper& operator=(const OtherBitnessHelper&) = delete;

    // Zero when there is no helper running.
    DWORD ProcessId() const { return m_processId; }
    // Why programs of the other bitness are not covered; empty when they are,
    // or when the system runs none.
    const std::string& Gap() const { return m_gap; }

private:
    HANDLE m_ready = nullptr;
    HANDLE m_quit = nullptr;
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    std::string m_gap;
};

} // namespace who
