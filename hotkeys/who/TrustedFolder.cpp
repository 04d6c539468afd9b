#include "hotkeys/who/TrustedFolder.h"

#include "hotkeys/who/HookModules.h"
#include "hotkeys/who/WideText.h"
#include "util/UniqueHandle.h"

#include <aclapi.h>
#include <sddl.h>

#include <array>

namespace who {

namespace {

// Rights by which someone could change what a file holds, or whose say over
// it could grant them.
constexpr ACCESS_MASK kControl = WRITE_DAC | WRITE_OWNER | GENERIC_ALL;
constexpr ACCESS_MASK kFileWrite = kControl | FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE | GENERIC_WRITE;
// Adding a file or folder, deleting what is in it, or renaming it away.
constexpr ACCESS_MASK kFolderWrite = kFileWrite | FILE_DELETE_CHILD;
// A folder above: deleting, and so renaming, what is in it replaces the path below.
constexpr ACCESS_MASK kAncestorWrite = kControl | FILE_DELETE_CHILD;

// SYSTEM, the administrators and the installer service.
constexpr std::array<const wchar_t*, 3> kTrusted
    = {L"S-1-5-18", L"S-1-5-32-544", L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"};

bool Trusted(PSID sid)
{
    for (const wchar_t* text : kTrusted) {
        PSID trusted = nullptr;
        const bool same = ::ConvertStringSidToSidW(text, &trusted) && ::EqualSid(sid, trusted);
        ::LocalFree(trusted);
        if (same)
            return true;
    }
    return false;
}

std::string AccountName(PSID sid)
{
    wchar_t name[256];
    wchar_t domain[256];
    DWORD nameSize = 256;
    DWORD domainSize = 256;
    SID_NAME_USE use{};
    if (::LookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &use))
        return Utf8FromWide(std::wstring(domain) + (*domain ? L"\\" : L"") + name);
    LPWSTR text = nullptr;
    if (!::ConvertSidToStringSidW(sid, &text))
        return "an account";
    const UniqueLocal<wchar_t> owned(text);
    return Utf8FromWide(text);
}

// Who untrusted holds one of the rights over the path: its owner, who may
// always change its security, or an account an entry allows them to.
std::string Untrusted(const std::wstring& path, ACCESS_MASK rights)
{
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR raw = nullptr;
    const DWORD error = ::GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr, &dacl, nullptr, &raw);
    if (error != ERROR_SUCCESS)
        return SystemError("Reading who may change " + Utf8FromWide(path), error);
    const UniqueLocal<void> descriptor(raw);
    const std::string where = " may change " + Utf8FromWide(path);
    if (!owner || !Trusted(owner))
        return (owner ? AccountName(owner) : "anyone") + where;
    if (!dacl)
        return "everyone" + where;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        if (!::GetAce(dacl, i, reinterpret_cast<void**>(&header)))
            return SystemError("Reading who may change " + Utf8FromWide(path), ::GetLastError());
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
        auto* sid = const_cast<DWORD*>(&ace->SidStart);
        if ((ace->Mask & rights) && !Trusted(sid))
            return AccountName(sid) + where;
    }
    return {};
}

} // namespace

bool RunsElevated()
{
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw))
        return true; // unknown: judged as the stricter case
    const UniqueHandle token(raw);
    TOKEN_ELEVATION elevation{};
    DWORD size = sizeof elevation;
    if (!::GetTokenInformation(token.get(), TokenElevation, &elevation, size, &size))
        return true;
    return elevation.TokenIsElevated != 0;
}

std::string WritableByOthers(const std::wstring& folder, const std::vector<std::wstring>& files)
{
    for (const std::wstring& file : files) {
        if (std::string who = Untrusted(folder + file, kFileWrite); !who.empty())
            return who;
    }
    std::wstring path = folder;
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    if (std::string who = Untrusted(path, kFolderWrite); !who.empty())
        return who;
    // Up to the root of the volume; the root itself cannot be renamed.
    for (size_t cut = path.find_last_of(L"\\/"); cut != std::wstring::npos; cut = path.find_last_of(L"\\/")) {
        path.resize(cut);
        if (path.find_first_of(L"\\/") == std::wstring::npos)
            path += L'\\';
        if (std::string who = Untrusted(path, kAncestorWrite); !who.empty())
            return who;
        if (path.back() == L'\\')
            break;
    }
    return {};
}

} // namespace who
