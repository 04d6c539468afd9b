#include "hotkeys/ProbeLock.h"

#include <sddl.h>

#include <string>

namespace {

// "Local\" is this session's namespace.
constexpr wchar_t kMutexName[] = L"Local\\Keyvane.HotkeyProbe";
// A whole census takes a second or two; the who query holds it for one
// combination at a time.
constexpr DWORD kPatienceMs = 15000;

[[noreturn]] void Fail(const std::string& what, DWORD error = ::GetLastError())
{
    throw ProbeLockError(what, error);
}

std::wstring CurrentUserSid()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        Fail("cannot read this program's user");
    const UniqueHandle ownedToken(token);
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size == 0 || !::GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        Fail("cannot read this program's user");
    LPWSTR text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid, &text))
        Fail("cannot read this program's user");
    const UniqueLocal<wchar_t> ownedText(text);
    return text;
}

// The user's programs at every integrity level, elevated or low, share the
// lock: an elevated one would otherwise create it for Administrators alone.
UniqueLocal<void> LockDescriptor()
{
    const std::wstring sddl = L"D:P(A;;GA;;;SY)(A;;GA;;;" + CurrentUserSid() + L")S:(ML;;NW;;;LW)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        Fail("cannot describe the probe lock's access");
    return UniqueLocal<void>(descriptor);
}

} // namespace

ProbeLock::ProbeLock()
{
    const UniqueLocal<void> descriptor = LockDescriptor();
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.get(), FALSE};
    m_mutex.reset(::CreateMutexExW(&attributes, kMutexName, 0, SYNCHRONIZE | MUTEX_MODIFY_STATE));
    if (!m_mutex)
        Fail("cannot open the lock that keeps hotkey probes apart");
    switch (::WaitForSingleObject(m_mutex.get(), kPatienceMs)) {
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

ProbeLock::~ProbeLock() { ::ReleaseMutex(m_mutex.get()); }
