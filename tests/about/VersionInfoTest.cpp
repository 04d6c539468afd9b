// The version reader against real version blocks: the built program's own,
// and that of a probe module with two translations, a long value and the
// longest key a sub-block path can hold.
#include "about/VersionInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr char kProbeModule[] = "version_probe.dll";
constexpr char kProbeLongValue[]
    = "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
      "01234567890123456789012345678901234567890123456789";
const std::string kLongestKey(234, 'K');

// A module loaded for the lifetime of the object.
class LoadedModule
{
public:
    explicit LoadedModule(HMODULE module) : m_module(module) { }
    ~LoadedModule()
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    HMODULE m_module;
};

std::string OwnFileName()
{
    char name[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, name, MAX_PATH);
    return name;
}

TEST(VersionInfo, ReadsTheProgramsProductVersionFromItsStringTable)
{
    CVersionInfo info;
    ASSERT_TRUE(info.OpenFile(KEYVANE_EXE)) << KEYVANE_EXE;
    char version[100];
    EXPECT_TRUE(info.QueryString("ProductVersion", version, sizeof version));
    EXPECT_STREQ("1.1.0.217", version) << "the string value, not the fixed part's 1.1.0.218";
}

TEST(VersionInfo, SeveralTranslationsGiveTheFirstPairsValues)
{
    const LoadedModule probe(::LoadLibraryA(kProbeModule));
    ASSERT_TRUE(probe.m_module) << "error " << ::GetLastError();
    CVersionInfo info;
    ASSERT_TRUE(info.OpenModule(probe.m_module));

    char text[100];
    EXPECT_TRUE(info.QueryString("ProductVersion", text, sizeof text));
    EXPECT_STREQ("first pair", text);
    std::memset(text, 'x', sizeof text);
    EXPECT_FALSE(info.QueryString("OnlyInSecond", text, sizeof text)) << "a value of the second pair alone";
    EXPECT_STREQ("", text) << "a value not found leaves an empty text";
}

TEST(VersionInfo, FileWithoutAVersionBlockClosesTheReader)
{
    CVersionInfo info;
    ASSERT_TRUE(info.OpenFile(KEYVANE_EXE));
    // This test program carries no version block.
    EXPECT_FALSE(info.OpenFile(OwnFileName().c_str()));
    char text[8] = "intact";
    EXPECT_FALSE(info.QueryString("ProductVersion", text, sizeof text));
    EXPECT_STREQ("intact", text) << "a closed reader touches no buffer";
    EXPECT_FALSE(info.OpenModule(::GetModuleHandleA(nullptr)));
}

TEST(VersionInfo, NullHandleOrNameLeavesAnOpenReaderOpen)
{
    CVersionInfo info;
    ASSERT_TRUE(info.OpenFile(KEYVANE_EXE));
    EXPECT_FALSE(info.OpenModule(nullptr));
    EXPECT_FALSE(info.OpenFile(nullptr));
    EXPECT_TRUE(info.QueryString("ProductVersion", nullptr, 0));
}

TEST(VersionInfo, NullBufferAsksWhetherAValueExistsAndNoRoomAsksNothing)
{
    const LoadedModule probe(::LoadLibraryA(kProbeModule));
    CVersionInfo info;
    ASSERT_TRUE(info.OpenModule(probe.m_module));

    EXPECT_TRUE(info.QueryString("ProductVersion", nullptr, 0));
    EXPECT_TRUE(info.QueryString("ProductVersion", nullptr, -1));
    EXPECT_FALSE(info.QueryString("Missing", nullptr, 10));
    EXPECT_FALSE(info.QueryString(nullptr, nullptr, 10)) << "a null key";

    char text[8] = "intact";
    for (const int size : {0, -1}) {
        EXPECT_FALSE(info.QueryString("ProductVersion", text, size)) << "size " << size;
        EXPECT_STREQ("intact", text) << "size " << size;
    }
}

TEST(VersionInfo, LongValueIsCutToSizeMinusOneAndStillFound)
{
    const LoadedModule probe(::LoadLibraryA(kProbeModule));
    CVersionInfo info;
    ASSERT_TRUE(info.OpenModule(probe.m_module));

    char text[120];
    std::memset(text, 'x', sizeof text);
    EXPECT_TRUE(info.QueryString("Long", text, 100));
    EXPECT_EQ(std::string(kProbeLongValue, 99), text);
    EXPECT_EQ(std::string(20, 'x'), std::string(text + 100, 20)) << "written past the size given";
}

TEST(VersionInfo, KeyTooLongForTheSubBlockPathIsNotFound)
{
    const LoadedModule probe(::LoadLibraryA(kProbeModule));
    CVersionInfo info;
    ASSERT_TRUE(info.OpenModule(probe.m_module));

    char text[100];
    EXPECT_TRUE(info.QueryString(kLongestKey.c_str(), text, sizeof text));
    EXPECT_STREQ("longest key", text);

    // Its first 234 characters name the value above: a path cut to fit must not find it.
    const std::string oneLonger = kLongestKey + "K";
    std::memset(text, 'x', sizeof text);
    EXPECT_FALSE(info.QueryString(oneLonger.c_str(), text, sizeof text));
    EXPECT_STREQ("", text);

    const std::string huge(5000, 'K');
    EXPECT_FALSE(info.QueryString(huge.c_str(), text, sizeof text));
    EXPECT_FALSE(info.QueryString(huge.c_str(), nullptr, 0));
}

// A copy of the probe module in a folder of its own, named so that the
// copy's full file name has the given number of characters; and a second copy
// under that name cut by its last character, which a reader that looked up a
// cut-off name would find.
class ProbeCopy
{
public:
    explicit ProbeCopy(size_t nameLength)
    {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        const std::wstring file = L"\\version_probe.dll";
        m_folder = temp + std::wstring(L"version_info_test_") + std::to_wstring(::GetCurrentProcessId());
        m_folder.append(nameLength - m_folder.size() - file.size(), L'd');
        m_file = m_folder + file;
        // Names past MAX_PATH need the long-name prefix.
        ::CreateDirectoryW((kLongNamePrefix + m_folder).c_str(), nullptr);
        wchar_t source[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, source, MAX_PATH);
        std::wstring sourceFile = source;
        sourceFile.replace(sourceFile.rfind(L'\\'), std::wstring::npos, file);
        m_copied = ::CopyFileW(sourceFile.c_str(), (kLongNamePrefix + m_file).c_str(), FALSE)
            && ::CopyFileW(sourceFile.c_str(), (kLongNamePrefix + CutName()).c_str(), FALSE);
    }
    ~ProbeCopy()
    {
        ::DeleteFileW((kLongNamePrefix + m_file).c_str());
        ::DeleteFileW((kLongNamePrefix + CutName()).c_str());
        ::RemoveDirectoryW((kLongNamePrefix + m_folder).c_str());
    }
    ProbeCopy(const ProbeCopy&) = delete;
    ProbeCopy& operator=(const ProbeCopy&) = delete;

    HMODULE Load() const { return ::LoadLibraryW((kLongNamePrefix + m_file).c_str()); }

    bool m_copied;

private:
    std::wstring CutName() const { return m_file.substr(0, m_file.size() - 1); }

    static constexpr wchar_t kLongNamePrefix[] = L"\\\\?\\";
    std::wstring m_folder;
    std::wstring m_file;
};

size_t LoadedNameLength(HMODULE module)
{
    wchar_t name[1024] = {};
    return ::GetModuleFileNameW(module, name, 1024);
}

TEST(VersionInfo, ModuleNameTooLongForTheBufferGivesNothing)
{
    // 259 characters and the terminating zero fill the buffer exactly.
    for (const size_t length : {size_t{259}, size_t{260}, size_t{280}}) {
        const ProbeCopy copy(length);
        ASSERT_TRUE(copy.m_copied) << "copy of " << length << " characters, error " << ::GetLastError();
        const LoadedModule probe(copy.Load());
        ASSERT_TRUE(probe.m_module) << "copy of " << length << " characters, error " << ::GetLastError();
        ASSERT_EQ(length, LoadedNameLength(probe.m_module));

        CVersionInfo info;
        EXPECT_EQ(length < MAX_PATH, info.OpenModule(probe.m_module) != FALSE) << length << " characters";
    }
}

} // namespace
