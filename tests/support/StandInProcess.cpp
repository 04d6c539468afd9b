#include "tests/support/StandInProcess.h"

namespace {

constexpr DWORD kTimeoutMs = 60000;

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    const std::wstring program(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH));
    return program.substr(0, program.find_last_of(L"\\/") + 1);
}

std::wstring UniqueEventName(const wchar_t* role)
{
    static int serial = 0;
    return L"keyvane-standin-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++serial)
        + L"-" + role;
}

} // namespace

StandInProcess::StandInProcess(const std::wstring& program, const std::wstring& arguments)
{
    const std::wstring readyName = UniqueEventName(L"ready");
    const std::wstring quitName = UniqueEventName(L"quit");
    m_readyEvent = ::CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
    m_quitEvent = ::CreateEventW(nullptr, TRUE, FALSE, quitName.c_str());
    std::wstring commandLine
        = L"\"" + ProgramFolder() + program + L"\" " + readyName + L" " + quitName + L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!m_readyEvent || !m_quitEvent
        || !::CreateProcessW(
            nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return;
    ::CloseHandle(process.hThread);
    m_process = process.hProcess;
    const HANDLE waitFor[] = {m_readyEvent, m_process};
    m_ready = ::WaitForMultipleObjects(2, waitFor, FALSE, kTimeoutMs) == WAIT_OBJECT_0;
}

StandInProcess::~StandInProcess()
{
    if (m_process) {
        ::SetEvent(m_quitEvent);
        ::WaitForSingleObject(m_process, kTimeoutMs);
        ::CloseHandle(m_process);
    }
    if (m_quitEvent)
        ::CloseHandle(m_quitEvent);
    if (m_readyEvent)
        ::CloseHandle(m_readyEvent);
}
