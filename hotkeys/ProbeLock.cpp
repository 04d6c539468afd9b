#include "hotkeys/ProbeLock.h"

#include "win32/ObjectSecurity.h"

#include <string>

namespace {

// "Local\" is this session's namespace.
constexpr wchar_t kMutexName[] = L"Local\\Keyvane.HotkeyProbe";
// A whole census takes a second or two, a who query about as long.
constexpr DWORD kPatienceMs = 15000;

[[noreturn]] void Fail(const std::string& what, DWORD error = ::GetLastError())
{
    throw ProbeLockError(what, error);
}

} // namespace

ProbeLock::ProbeLock()
{
    // The user's programs from medium integrity up, elevated or not, share the
    // lock: an elevated one would otherwise create it for Administrators
    // alone. Below medium, a sandboxed program could take it and keep every
    // census from running.
    who::UserSecurity security(L"GA", who::LowIntegrity::KeptOut);
    if (!security.Error().empty())
        Fail(security.Error());
    m_mutex.reset(::CreateMutexExW(security.Attributes(), kMutexName, 0, SYNCHRONIZE | MUTEX_MODIFY_STATE));
    if (!m_mutex)
        Fail("cannot open the lock that keeps hotkey probes apart");
    DWORD outcome = ::WaitForSingleObject(m_mutex.get(), 0);
    if (outcome == WAIT_TIMEOUT) {
        if (WaitNotice())
            WaitNotice()();
        outcome = ::WaitForSingleObject(m_mutex.get(), kPatienceMs);
    }
    switch (outcome) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
        return;
    case WAIT_TIMEOUT:
        Fail("another hotkey probe has kept the probe lock for " + std::to_string(kPatienceMs / 1000)
                + " seconds; try again later",
            ERROR_TIMEOUT);
    default:
        Fail("cannot take the lock that keeps hotkey probes apart");
    }
}

std::function<void()>& ProbeLock::WaitNotice()
{
    static std::function<void()> notice;
    return notice;
}

ProbeLock::~ProbeLock() { ::ReleaseMutex(m_mutex.get()); }
