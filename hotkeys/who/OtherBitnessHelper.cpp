#include "hotkeys/who/OtherBitnessHelper.h"

#include "hotkeys/who/HookModules.h"

namespace who {

namespace {

// Starting a program of the other bitness can take Wine a few seconds the first time.
constexpr DWORD kStartWaitMs = 15000;
constexpr DWORD kEndWaitMs = 5000;

#ifdef _WIN64
constexpr char kOtherBitnessName[] = "32-bit";
#else
constexpr char kOtherBitnessName[] = "64-bit";
#endif

// Only 32-bit programs run on a 32-bit system, and a 64-bit one may run both.
bool OtherBitnessRuns()
{
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
#endif
}

std::string EventName(const char* role)
{
    return "KeyvaneWho-" + std::to_string(::GetCurrentProcessId()) + "-" + role;
}

} // namespace

OtherBitnessHelper::OtherBitnessHelper()
{
    if (!OtherBitnessRuns())
        return;
    const std::string gapPrefix = std::string(kOtherBitnessName) + " programs were not asked: ";
    const std::string readyName = EventName("ready");
    const std::string quitName = EventName("quit");
    m_ready = ::CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
    m_quit = ::CreateEventA(nullptr, TRUE, FALSE, quitName.c_str());
    if (!m_ready || !m_quit) {
        m_gap = gapPrefix + SystemError("Creating the helper's events", ::GetLastError());
        return;
    }

    const std::string path = ProgramFolder() + kOtherBitness.helper;
    std::string commandLine
        = "\"" + path + "\" " + std::to_string(::GetCurrentProcessId()) + " " + readyName + " " + quitName;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
            &startup, &process)) {
        m_gap = gapPrefix + SystemError("Starting " + path, ::GetLastError());
        return;
    }
    ::CloseHandle(process.hThread);
    m_process = process.hProcess;

    const HANDLE readyOrGone[] = {m_ready, m_process};
    if (::WaitForMultipleObjects(2, readyOrGone, FALSE, kStartWaitMs) == WAIT_OBJECT_0)
        m_processId = process.dwProcessId;
    else
        m_gap = gapPrefix + "the helper " + path + " could not install its hook";
}

OtherBitnessHelper::~OtherBitnessHelper()
{
    if (m_process) {
        ::SetEvent(m_quit);
        // A helper that does not end in time goes all the same: its hook must not stay.
        if (::WaitForSingleObject(m_process, kEndWaitMs) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process, 1);
        ::CloseHandle(m_process);
    }
    if (m_quit)
        ::CloseHandle(m_quit);
    if (m_ready)
        ::CloseHandle(m_ready);
}

} // namespace who
