// The security of the query and the probe lock: Wine shows neither elevation
// nor integrity levels, so the descriptor's parts are checked one by one.
#include "win32/ObjectSecurity.h"

#include <sddl.h>

#include <gtest/gtest.h>

namespace {

bool SidIs(PSID sid, const wchar_t* text)
{
    PSID wanted = nullptr;
    const bool same = ::ConvertStringSidToSidW(text, &wanted) && ::EqualSid(sid, wanted);
    ::LocalFree(wanted);
    return same;
}

TEST(UserSecurity, TheUserReadsAtEveryIntegrityLevelAndOnlyTheSystemAndAdministratorsWrite)
{
    const who::UserSecurity security(L"GR", who::LowIntegrity::MayRead);
    ASSERT_EQ("", security.Error());
    HANDLE token = nullptr;
    ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token);
    BYTE user[SECURITY_MAX_SID_SIZE + sizeof(TOKEN_USER)];
    DWORD size = sizeof user;
    ASSERT_TRUE(::GetTokenInformation(token, TokenUser, user, size, &size));
    ::CloseHandle(token);

    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    ASSERT_TRUE(::GetSecurityDescriptorDacl(security.Descriptor(), &present, &dacl, &defaulted));
    ASSERT_TRUE(present && dacl) << "a null DACL grants everything to everyone";
    bool userReads = false;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        ASSERT_TRUE(::GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
        ASSERT_EQ(ACCESS_ALLOWED_ACE_TYPE, ace->Header.AceType);
        if (::EqualSid(&ace->SidStart, reinterpret_cast<TOKEN_USER*>(user)->User.Sid))
            userReads = ace->Mask == GENERIC_READ;
        else if (!SidIs(&ace->SidStart, who::InteractiveDesktopUser().c_str())) {
            EXPECT_TRUE(SidIs(&ace->SidStart, L"S-1-5-18") || SidIs(&ace->SidStart, L"S-1-5-32-544")) << i;
        }
    }
    EXPECT_TRUE(userReads) << "the user's programs must read the query, and only read it";

    PACL sacl = nullptr;
    ASSERT_TRUE(::GetSecurityDescriptorSacl(security.Descriptor(), &present, &sacl, &defaulted));
    ASSERT_TRUE(present && sacl && sacl->AceCount == 1);
    SYSTEM_MANDATORY_LABEL_ACE* label = nullptr;
    ASSERT_TRUE(::GetAce(sacl, 0, reinterpret_cast<void**>(&label)));
    EXPECT_EQ(SYSTEM_MANDATORY_LABEL_ACE_TYPE, label->Header.AceType);
    EXPECT_TRUE(SidIs(&label->SidStart, L"S-1-16-4096")) << "not the low integrity level";
    EXPECT_EQ(DWORD{SYSTEM_MANDATORY_LABEL_NO_WRITE_UP}, label->Mask);
}

// The lock: kept from low integrity, where acquiring it is executing; and,
// as every shared object, open to the interactive desktop's user.
TEST(UserSecurity, TheLockKeepsLowIntegrityOutAndServesTheDesktopsUser)
{
    const who::UserSecurity security(L"GA", who::LowIntegrity::KeptOut);
    ASSERT_EQ("", security.Error());
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL sacl = nullptr;
    ASSERT_TRUE(::GetSecurityDescriptorSacl(security.Descriptor(), &present, &sacl, &defaulted));
    ASSERT_TRUE(present && sacl && sacl->AceCount == 1);
    SYSTEM_MANDATORY_LABEL_ACE* label = nullptr;
    ASSERT_TRUE(::GetAce(sacl, 0, reinterpret_cast<void**>(&label)));
    EXPECT_TRUE(SidIs(&label->SidStart, L"S-1-16-8192")) << "not the medium integrity level";
    EXPECT_EQ(DWORD{SYSTEM_MANDATORY_LABEL_NO_WRITE_UP | SYSTEM_MANDATORY_LABEL_NO_EXECUTE_UP}, label->Mask);

    const std::wstring desktopUser = who::InteractiveDesktopUser();
    if (desktopUser.empty())
        GTEST_SKIP() << "this system names no user of the input desktop (Wine does not)";
    PACL dacl = nullptr;
    ASSERT_TRUE(::GetSecurityDescriptorDacl(security.Descriptor(), &present, &dacl, &defaulted));
    bool served = false;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        ASSERT_TRUE(::GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
        served = served || (SidIs(&ace->SidStart, desktopUser.c_str()) && ace->Mask == GENERIC_ALL);
    }
    EXPECT_TRUE(served) << "no entry for the desktop's user";
}

} // namespace
