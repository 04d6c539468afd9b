#include "win32/ObjectSecurity.h"

#include "win32/SystemError.h"
#include "win32/UniqueHandle.h"

#include <sddl.h>

#include <vector>

namespace who {

namespace {

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
    LPWSTR text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        error = SystemError("Writing this program's user", ::GetLastError());
        return {};
    }
    std::wstring sid(text);
    ::LocalFree(text);
    return sid;
}

} // namespace

UserSecurity::UserSecurity(const wchar_t* userRights)
{
    const std::wstring user = UserSid(m_error);
    if (user.empty())
        return;
    // Protected, so that nothing is inherited from the namespace's own defaults.
    const std::wstring sddl
        = L"D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;" + std::wstring(userRights) + L";;;" + user + L")S:(ML;;NW;;;LW)";
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
