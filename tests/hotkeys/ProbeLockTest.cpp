// Probes of ours that run at once must not see each other's momentary
// registrations.
#include "hotkeys/HotkeyProbe.h"
#include "hotkeys/ProbeLock.h"

#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Found = std::vector<std::pair<unsigned, unsigned>>;

Found ProbeAll()
{
    Found found;
    ProbeAllCombinations([&](const Combination& combo, DWORD) { found.emplace_back(combo.key, combo.modifiers); });
    return found;
}

TEST(ProbeLock, TwoCensusesAtOnceSeeWhatOneSeesAlone)
{
    // Hotkeys belong to the thread that registers them: two threads probe
    // as two programs would.
    const Found alone = ProbeAll();
    for (int round = 0; round < 3; ++round) {
        Found other;
        std::thread second([&] { other = ProbeAll(); });
        const Found first = ProbeAll();
        second.join();
        EXPECT_EQ(alone, first) << "round " << round;
        EXPECT_EQ(alone, other) << "round " << round;
    }
}

std::wstring CurrentUserSid()
{
    HANDLE token = nullptr;
    EXPECT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token));
    const UniqueHandle ownedToken(token);
    char buffer[256];
    DWORD size = sizeof buffer;
    EXPECT_TRUE(::GetTokenInformation(token, TokenUser, buffer, size, &size));
    LPWSTR text = nullptr;
    EXPECT_TRUE(::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text));
    const UniqueLocal<wchar_t> ownedText(text);
    return text ? text : L"";
}

TEST(ProbeLock, IsTheUsersElevatedOrNot)
{
    // Created by an elevated program with the default descriptor, it would
    // be for Administrators alone.
    const ProbeLock held;
    const UniqueHandle mutex(::OpenMutexW(READ_CONTROL, FALSE, L"Local\\Keyvane.HotkeyProbe"));
    ASSERT_TRUE(mutex);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(DWORD{ERROR_SUCCESS},
        ::GetSecurityInfo(mutex.get(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr,
            nullptr, &descriptor));
    const UniqueLocal<void> ownedDescriptor(descriptor);
    LPWSTR text = nullptr;
    ASSERT_TRUE(::ConvertSecurityDescriptorToStringSecurityDescriptorW(
        descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr));
    const UniqueLocal<wchar_t> ownedText(text);
    const std::wstring user = L"(A;;GA;;;" + CurrentUserSid() + L")";
    EXPECT_NE(std::wstring::npos, std::wstring(text).find(user)) << "the user has no entry of their own";
}

TEST(ProbeLock, SaysOnceThatItWaitsForAnotherProbe)
{
    const HANDLE held = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        const ProbeLock lock;
        ::SetEvent(held);
        ::WaitForSingleObject(release, 10000);
    });
    ::WaitForSingleObject(held, 10000);
    int notices = 0;
    // Only a waiting probe says so, and only then is the other one let go.
    ProbeLock::WaitNotice() = [&] {
        ++notices;
        ::SetEvent(release);
    };
    {
        const ProbeLock lock;
        const ProbeLock nested;
        EXPECT_EQ(1, notices);
    }
    ProbeLock::WaitNotice() = nullptr;
    other.join();
    ::CloseHandle(held);
    ::CloseHandle(release);
}

} // namespace
