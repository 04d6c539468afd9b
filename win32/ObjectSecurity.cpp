#include "win32/ObjectSecurity.h"

#include "win32/SystemError.h"
#include "win32/UniqueHandle.h"

#include <sddl.h>

#include <vector>

namespace who {

namespace {

std::wstring SidText(PSID sid)
{
    LPWSTR text = nullptr;
    if (!::ConvertSidToStringSidW(sid, &text))
        return {};
    const UniqueLocal<wchar_t> owned(text);
    return text;
}

// The user this process runs for, as "S-1-5-21-...", or empty with the error set.
std::wstring UserSid(std::string& error)
{
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &rawToken)) {
        error = SystemError("Opening this program's token", ::GetLastError());
        return {};
    }
    const UniqueHandle token(rawToken);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) {
        error = SystemError("Reading this program's user", ::GetLastError());
        return {};
    }
    std::wstring sid = SidText(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid);
    if (sid.empty())
        error = SystemError("Writing this program's user", ::GetLastError());
    return sid;
}

// The user of the desktop's session, as the desktop's logon SID
// ("S-1-5-5-X-Y"); empty where the desktop tells none.
std::wstring DesktopUser(HDESK desktop)
{
    DWORD size = 0;
    ::GetUserObjectInformationW(desktop, UOI_USER_SID, nullptr, 0, &size);
    std::vector<BYTE> sid(size);
    if (size == 0 || !::GetUserObjectInformationW(desktop, UOI_USER_SID, sid.data(), size, &size))
        return {};
    return SidText(sid.data());
}

} // namespace

std::wstring InteractiveDesktopUser()
{
    // The desktop that takes the keyboard's input, where we may look at it;
    // else this thread's, which is the same one for a program started there.
    if (const HDESK input = ::OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS)) {
        std::wstring user = DesktopUser(input);
        ::CloseDesktop(input);
        if (!user.empty())
            return user;
    }
    return DesktopUser(::GetThreadDesktop(::GetCurrentThreadId()));
}

UserSecurity::UserSecurity(const wchar_t* userRights, LowIntegrity low)
{
    const std::wstring user = UserSid(m_error);
    if (user.empty())
        return;
    const std::wstring rights = L";;" + std::wstring(userRights) + L";;;";
    std::wstring sddl = L"D:P(A;;GA;;;SY)(A;;GA;;;BA)(A" + rights + user + L")";
    // Elevated with another administrator's password, this program's user is
    // not the one whose programs run on the desktop; those must be served too.
    if (const std::wstring desktopUser = InteractiveDesktopUser();
        !desktopUser.empty() && desktopUser != user)
        sddl += L"(A" + rights + desktopUser + L")";
    // Below the mandatory label's level, nothing may write; kept out, nothing
    // may execute either, which for a mutex is waiting on it.
    sddl += low == LowIntegrity::MayRead ? L"S:(ML;;NW;;;LW)" : L"S:(ML;;NWNX;;;ME)";
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            sddl.c_str(), SDDL_REVISION_1, &m_descriptor, nullptr)) {
        m_error = SystemError("Describing who may use a shared object", ::GetLastError());
        return;
    }
    m_attributes.nLength = sizeof m_attributes;
    m_attributes.lpSecurityDescriptor = m_descriptor;
    m_attributes.bInheritHandle = FALSE;
}

UserSecurity::~UserSecurity()
{
    if (m_descriptor)
        ::LocalFree(m_descriptor);
}

} // namespace who
