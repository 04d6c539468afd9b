#pragma once

#include <windows.h>

#include <string>

// A who_holder process of the given bitness (32 or 64) holding one hotkey for
// a window or for its thread, for as long as the object lives; started from
// the folder given, by default the test program's; its window titled as given,
// by default "Who holder window".
class WhoHolderProcess
{
public:
    enum class Target
    {
        Window,
        Thread
    };

    WhoHolderProcess(int bits, Target target, UINT modifiers, UINT key, int hotkeyId,
        const std::wstring& folder = {}, const std::wstring& title = {});
    ~WhoHolderProcess();

    WhoHolderProcess(const WhoHolderProcess&) = delete;
    WhoHolderProcess& operator=(const WhoHolderProcess&) = delete;

    // False when the holder did not start (the bitness does not run here) or
    // could not register its hotkey; Problem() says which.
    bool Holding() const { return m_holding; }
    const std::string& Problem() const { return m_problem; }

    DWORD ProcessId() const { return m_processId; }
    DWORD ThreadId() const { return m_threadId; }
    std::string ExecutableName() const { return m_executableName; }
    const std::wstring& Executable() const { return m_executable; }
    // True when the holder has received a WM_HOTKEY; waits up to waitMs for one.
    bool Pressed(DWORD waitMs) const { return ::WaitForSingleObject(m_pressed, waitMs) == WAIT_OBJECT_0; }
    void ForgetPresses() const { ::ResetEvent(m_pressed); }

private:
    HANDLE m_ready = nullptr;
    HANDLE m_quit = nullptr;
    HANDLE m_pressed = nullptr;
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    DWORD m_threadId = 0;
    std::string m_executableName;
    std::wstring m_executable;
    bool m_holding = false;
    std::string m_problem;
};
