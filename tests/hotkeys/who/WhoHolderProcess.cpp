#include "tests/hotkeys/who/WhoHolderProcess.h"

#include "hotkeys/who/HookModules.h"

#include <cstdio>

namespace {

std::string UniqueEventName(const char* role)
{
    static int serial = 0;
    char name[64];
    std::snprintf(name, sizeof name, "who-test-%lu-%d-%s", ::GetCurrentProcessId(), ++serial, role);
    return name;
}

} // namespace

WhoHolderProcess::WhoHolderProcess(int bits, Target target, UINT modifiers, UINT key, int hotkeyId,
    const std::wstring& folder, const std::wstring& title)
    : m_executableName("who_holder" + std::to_string(bits) + ".exe")
{
    m_executable = (folder.empty() ? ProgramFolder() : folder)
        + std::wstring(m_executableName.begin(), m_executableName.end());
    const std::string readyName = UniqueEventName("ready");
    const std::string quitName = UniqueEventName("quit");
    const std::string pressedName = UniqueEventName("pressed");
    m_ready = ::CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
    m_quit = ::CreateEventA(nullptr, TRUE, FALSE, quitName.c_str());
    m_pressed = ::CreateEventA(nullptr, TRUE, FALSE, pressedName.c_str());

    char combination[32];
    std::snprintf(combination, sizeof combination, "%x:%x", modifiers, key);
    const std::string arguments = readyName + " " + quitName + " " + pressedName
        + (target == Target::Window ? " window " : " thread ") + combination + " " + std::to_string(hotkeyId);
    std::wstring commandLine = L"\"" + m_executable + L"\" "
        + std::wstring(arguments.begin(), arguments.end()) + (title.empty() ? L"" : L" \"" + title + L"\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(m_executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
            nullptr, &startup, &process)) {
        m_problem = m_executableName + " does not start here, error " + std::to_string(::GetLastError());
        return;
    }
    ::CloseHandle(process.hThread);
    m_process = process.hProcess;
    m_processId = process.dwProcessId;
    m_threadId = process.dwThreadId;

    // Ready, or gone because it could not start or register.
    const HANDLE waitFor[] = {m_ready, m_process};
    m_holding = ::WaitForMultipleObjects(2, waitFor, FALSE, 60000) == WAIT_OBJECT_0;
    if (!m_holding) {
        DWORD exitCode = 0;
        ::GetExitCodeProcess(m_process, &exitCode);
        m_problem
            = m_executableName + " ended with " + std::to_string(exitCode) + " before holding its hotkey";
    }
}

WhoHolderProcess::~WhoHolderProcess()
{
    if (m_process) {
        ::SetEvent(m_quit);
        ::WaitForSingleObject(m_process, 60000);
        ::CloseHandle(m_process);
    }
    for (HANDLE event : {m_pressed, m_quit, m_ready}) {
        if (event)
            ::CloseHandle(event);
    }
}
