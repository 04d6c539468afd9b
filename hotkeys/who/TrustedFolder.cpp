#include "hotkeys/who/TrustedFolder.h"

#include "hotkeys/who/HookModules.h"
#include "win32/WideText.h"
#include "win32/UniqueHandle.h"

#include <aclapi.h>
#include <tlhelp32.h>
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

// The token's integrity level (its label's RID); 0 where it cannot be read.
DWORD IntegrityOf(HANDLE process)
{
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &raw))
        return 0;
    const UniqueHandle token(raw);
    BYTE buffer[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof buffer;
    if (!::GetTokenInformation(token.get(), TokenIntegrityLevel, buffer, size, &size))
        return 0;
    const PSID label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    return *::GetSidSubAuthority(label, *::GetSidSubAuthorityCount(label) - 1u);
}

} // namespace

bool RunsAboveOtherPrograms()
{
    HANDLE raw = nullptr;
    TOKEN_ELEVATION elevation{};
    DWORD size = sizeof elevation;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) {
        const UniqueHandle token(raw);
        if (::GetTokenInformation(token.get(), TokenElevation, &elevation, size, &size)
            && !elevation.TokenIsElevated)
            return false;
    }
    const DWORD own = IntegrityOf(::GetCurrentProcess());
    DWORD session = 0;
    ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
    const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (own == 0 || snapshot.get() == INVALID_HANDLE_VALUE)
        return true; // unknown: judged as the stricter case
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        DWORD theirs = 0;
        if (!::ProcessIdToSessionId(entry.th32ProcessID, &theirs) || theirs != session)
            continue;
        const UniqueHandle process(
            ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        const DWORD level = process ? IntegrityOf(process.get()) : 0;
        if (level != 0 && level < own)
            return true;
    }
    return false;
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
