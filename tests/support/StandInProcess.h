#pragma once

#include <windows.h>

#include <string>

// A program of the build folder run as a process of its own, started as
//   <program> <ready event> <quit event> <arguments>
// and waited for until it signals ready; told to end when the object goes.
class StandInProcess
{
public:
    StandInProcess(const std::wstring& program, const std::wstring& arguments);
    ~StandInProcess();

    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    // False when it did not start or ended before it was ready.
    bool Ready() const { return m_ready; }

private:
    HANDLE m_readyEvent = nullptr;
    HANDLE m_quitEvent = nullptr;
    HANDLE m_process = nullptr;
    bool m_ready = false;
};
