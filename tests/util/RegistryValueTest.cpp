// Typed registry reads against real values under a key of HKCU (and one of
// HKLM) that the tests create and remove.
#include "util/RegistryValue.h"

#include <gtest/gtest.h>

#include <aclapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kTestSubkey[] = "Software\\Keyvane registry reader test";
constexpr char kTestPath[] = "HKCU\\Software\\Keyvane registry reader test";

class RegistryValue : public testing::Test
{
protected:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestSubkey);
        ASSERT_EQ(ERROR_SUCCESS,
            ::RegCreateKeyExA(
                HKEY_CURRENT_USER, kTestSubkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr));
    }

    void TearDown() override
    {
        ::RegCloseKey(m_key);
        EXPECT_EQ(ERROR_SUCCESS, ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestSubkey));
    }

    void Store(LPCSTR name, DWORD type, const void* data, size_t bytes)
    {
        ASSERT_EQ(ERROR_SUCCESS,
            ::RegSetValueExA(m_key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(bytes)))
            << name;
    }
    // With its terminator.
    void StoreText(LPCSTR name, const std::string& text, DWORD type = REG_SZ)
    {
        Store(name, type, text.c_str(), text.size() + 1);
    }
    void StoreDword(LPCSTR name, DWORD value) { Store(name, REG_DWORD, &value, sizeof value); }

    static int Read(LPCSTR name, int type, void* destination)
    {
        return ReadRegistryValue(kTestPath, name, type, destination);
    }

    HKEY m_key = nullptr;
};

TEST_F(RegistryValue, TextTypesReadStoredTextAsItStands)
{
    StoreText("plain", "0,0,255");
    StoreText("expandable", "%SystemRoot%\\x", REG_EXPAND_SZ);
    for (const int type : {REG_SZ, REG_EXPAND_SZ, REG_STRING}) {
        CString text("stale text that is longer");
        EXPECT_EQ(kRegistryValueRead, Read("plain", type, &text)) << "type " << type;
        EXPECT_STREQ("0,0,255", text) << "type " << type;
        EXPECT_EQ(kRegistryValueRead, Read("expandable", type, &text)) << "type " << type;
        EXPECT_STREQ("%SystemRoot%\\x", text) << "type " << type << ": expandable text is not expanded";
    }
    CString text;
    EXPECT_EQ(kRegistryNoValue, Read("", REG_STRING, &text)) << "the key has no default value yet";
    StoreText("", "default");
    EXPECT_EQ(kRegistryValueRead, Read("", REG_STRING, &text)) << "an empty name is the default value";
    EXPECT_STREQ("default", text);
}

TEST_F(RegistryValue, TextLengthLimitAndTerminator)
{
    CString text;
    StoreText("4095", std::string(4095, 'x'));
    EXPECT_EQ(kRegistryValueRead, Read("4095", REG_STRING, &text));
    EXPECT_EQ(4095, text.GetLength());
    StoreText("4096", std::string(4096, 'x'));
    EXPECT_EQ(kRegistryNoValue, Read("4096", REG_STRING, &text))
        << "4096 characters and a terminator do not fit";

    // The system adds a terminator that the caller left out of the size but
    // put after the data; there is none here.
    Store("unterminated", REG_SZ, "abcd", 3);
    EXPECT_EQ(kRegistryNoValue, Read("unterminated", REG_SZ, &text)) << "text stored without its terminator";

    StoreText("embedded", std::string("ab\0cd", 5));
    EXPECT_EQ(kRegistryValueRead, Read("embedded", REG_SZ, &text));
    EXPECT_STREQ("ab", text) << "the text ends at the first NUL";

    text = "stale";
    Store("no data", REG_SZ, "", 0);
    EXPECT_EQ(kRegistryValueRead, Read("no data", REG_SZ, &text)) << "a value with no data is the empty text";
    EXPECT_STREQ("", text);
}

TEST_F(RegistryValue, MultiStringGivesTheFirstString)
{
    Store("two", REG_MULTI_SZ, "a\0b\0", 5);
    CString text;
    EXPECT_EQ(kRegistryValueRead, Read("two", REG_MULTI_SZ, &text));
    EXPECT_STREQ("a", text);
    Store("unterminated", REG_MULTI_SZ, "a\0bc", 3);
    EXPECT_EQ(kRegistryNoValue, Read("unterminated", REG_MULTI_SZ, &text)) << "list without its final NUL";
    StoreText("single", "a");
    EXPECT_EQ(kRegistryNoValue, Read("single", REG_MULTI_SZ, &text)) << "a REG_SZ is no list";
    EXPECT_EQ(kRegistryNoValue, Read("two", REG_SZ, &text)) << "a list is no REG_SZ";
}

TEST_F(RegistryValue, BinaryOnlyTellsThatItExistsAndFits)
{
    const std::vector<BYTE> fits(4096, 0xA5), tooLong(4097, 0xA5);
    Store("fits", REG_BINARY, fits.data(), fits.size());
    Store("too long", REG_BINARY, tooLong.data(), tooLong.size());
    StoreDword("dword", 1);
    EXPECT_EQ(kRegistryValueRead, Read("fits", REG_BINARY, nullptr)) << "nothing is delivered";
    EXPECT_EQ(kRegistryNoValue, Read("too long", REG_BINARY, nullptr));
    EXPECT_EQ(kRegistryNoValue, Read("dword", REG_BINARY, nullptr));
}

TEST_F(RegistryValue, DwordIntBooleanAndQword)
{
    StoreDword("large", 0xFFFFFFFE);
    StoreDword("five", 5);
    StoreDword("zero", 0);
    const ULONGLONG stored = 0x123456789ABCDEF0;
    Store("qword", REG_QWORD, &stored, sizeof stored);
    StoreText("text", "5");

    DWORD dword = 0;
    EXPECT_EQ(kRegistryValueRead, Read("large", REG_DWORD, &dword));
    EXPECT_EQ(0xFFFFFFFEu, dword);
    INT integer = 0;
    EXPECT_EQ(kRegistryValueRead, Read("large", REG_INT, &integer));
    EXPECT_EQ(-2, integer);
    BOOL flag = 7;
    EXPECT_EQ(kRegistryValueRead, Read("five", REG_BOOLEAN, &flag));
    EXPECT_EQ(TRUE, flag) << "any non-zero value is 1";
    EXPECT_EQ(kRegistryValueRead, Read("zero", REG_BOOLEAN, &flag));
    EXPECT_EQ(FALSE, flag);
    ULONGLONG qword = 0;
    EXPECT_EQ(kRegistryValueRead, Read("qword", REG_QWORD, &qword));
    EXPECT_EQ(stored, qword);

    for (const int type : {REG_DWORD, REG_INT, REG_BOOLEAN})
        EXPECT_EQ(kRegistryNoValue, Read("text", type, &dword)) << "text read with type " << type;
    EXPECT_EQ(kRegistryNoValue, Read("qword", REG_DWORD, &dword)) << "a REG_QWORD is no REG_DWORD";
    EXPECT_EQ(kRegistryNoValue, Read("five", REG_QWORD, &qword)) << "a REG_DWORD is no REG_QWORD";
}

TEST_F(RegistryValue, FailuresLeaveTheDestinationAsItWas)
{
    // The registry stores numbers of any length: a short one is no number.
    const BYTE twoBytes[] = {0x34, 0x12};
    Store("short dword", REG_DWORD, twoBytes, sizeof twoBytes);
    Store("short qword", REG_QWORD, twoBytes, sizeof twoBytes);
    StoreDword("dword", 5);
    for (const int type : {REG_DWORD, REG_INT, REG_BOOLEAN}) {
        DWORD untouched = 0xC0FFEE;
        EXPECT_EQ(kRegistryNoValue, Read("short dword", type, &untouched)) << "type " << type;
        EXPECT_EQ(0xC0FFEEu, untouched) << "type " << type;
    }
    ULONGLONG qword = 0xC0FFEE;
    EXPECT_EQ(kRegistryNoValue, Read("short qword", REG_QWORD, &qword));
    EXPECT_EQ(0xC0FFEEu, qword);
    for (const int type : {REG_SZ, REG_MULTI_SZ}) {
        CString text("kept");
        EXPECT_EQ(kRegistryNoValue, Read("dword", type, &text)) << "type " << type;
        EXPECT_STREQ("kept", text) << "type " << type;
    }
}

TEST_F(RegistryValue, GuidOnlyFromBracedText)
{
    StoreText("braced", "{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    StoreText("lower case", "{20d04fe0-3aea-1069-a2d8-08002b30309d}");
    StoreText("unbraced", "20D04FE0-3AEA-1069-A2D8-08002B30309D");
    StoreText("malformed", "{20D04FE0-3AEA-1069-A2D8-08002B3030}");
    StoreText("not hexadecimal", "{20D04FE0-3AEA-1069-A2D8-08002B30309G}");
    StoreDword("dword", 1);
    const GUID expected = {0x20D04FE0, 0x3AEA, 0x1069, {0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D}};

    for (LPCSTR name : {"braced", "lower case"}) {
        GUID guid{};
        EXPECT_EQ(kRegistryValueRead, Read(name, REG_GUID, &guid)) << name;
        EXPECT_EQ(0, std::memcmp(&expected, &guid, sizeof guid)) << name;
    }
    for (LPCSTR name : {"unbraced", "malformed", "not hexadecimal", "dword"}) {
        GUID guid{};
        EXPECT_EQ(kRegistryNoValue, Read(name, REG_GUID, &guid)) << name;
    }
}

TEST_F(RegistryValue, UnknownTypeCodesReadNothingAndSucceed)
{
    StoreDword("dword", 1);
    for (const int type : {0, 5, 49, 54, 99, -1}) {
        DWORD untouched = 0xC0FFEE;
        EXPECT_EQ(kRegistryValueRead, Read("dword", type, &untouched)) << "type " << type;
        EXPECT_EQ(0xC0FFEEu, untouched) << "type " << type;
    }
}

TEST_F(RegistryValue, MissingKeyAndMissingValue)
{
    CString text;
    CString missingKey(kTestPath);
    missingKey += "\\missing";
    EXPECT_EQ(kRegistryNoKey, ReadRegistryValue(missingKey, "x", REG_STRING, &text));
    EXPECT_EQ(kRegistryNoValue, Read("missing", REG_STRING, &text));
    EXPECT_EQ(kRegistryNoValue, Read("missing", REG_DWORD, &text));
}

TEST_F(RegistryValue, RootPrefixesInAnyCase)
{
    StoreText("v", "found");
    const std::string subkey = kTestSubkey;
    for (const char* root : {"HKCU\\", "hkcu\\", "HkCu\\", "HKEY_CURRENT_USER\\", "hkey_current_user\\"}) {
        CString text;
        EXPECT_EQ(kRegistryValueRead, ReadRegistryValue((root + subkey).c_str(), "v", REG_STRING, &text))
            << root;
        EXPECT_STREQ("found", text) << root;
    }
    CString text;
    for (const char* path : {"", "HKCU", "HKCU\\", "hkey_local_machine\\", "Software\\X", "\\Software",
             "HKEY_PERFORMANCE_DATA\\X", "HKPD\\X", "HKEY_DYN_DATA\\X", "HKCU/Software", "HKCU \\Software"})
        EXPECT_EQ(kRegistryBadPath, ReadRegistryValue(path, "v", REG_STRING, &text)) << '"' << path << '"';
}

TEST(SplitRegistryPath, TakesOffTheRootAndKeepsTheSubkey)
{
    const HKEY invalid = reinterpret_cast<HKEY>(~ULONG_PTR{0});
    struct Case
    {
        LPCSTR path;
        BOOL ok;
        HKEY root;
        LPCSTR rest;
    };
    const Case cases[] = {
        {"hkcr\\.txt\\ShellNew", TRUE, HKEY_CLASSES_ROOT, ".txt\\ShellNew"},
        {"Hkey_Classes_Root\\x", TRUE, HKEY_CLASSES_ROOT, "x"},
        {"hkcu\\Software\\X", TRUE, HKEY_CURRENT_USER, "Software\\X"},
        {"HKLM\\SOFTWARE\\Wine", TRUE, HKEY_LOCAL_MACHINE, "SOFTWARE\\Wine"},
        {"HKEY_LOCAL_MACHINE\\a\\\\b\\", TRUE, HKEY_LOCAL_MACHINE, "a\\\\b\\"},
        {"hku\\.DEFAULT", TRUE, HKEY_USERS, ".DEFAULT"},
        {"HKEY_USERS\\S", TRUE, HKEY_USERS, "S"},
        {"hkcc\\System", TRUE, HKEY_CURRENT_CONFIG, "System"},
        {"HKEY_CURRENT_CONFIG\\System", TRUE, HKEY_CURRENT_CONFIG, "System"},
        {"HKLM\\", FALSE, HKEY_LOCAL_MACHINE, ""},
        {"HKLM", FALSE, invalid, "HKLM"},
        {"", FALSE, invalid, ""},
        {"HKEY_PERFORMANCE_DATA\\X", FALSE, invalid, "HKEY_PERFORMANCE_DATA\\X"},
    };
    for (const Case& c : cases) {
        HKEY root = nullptr;
        CString path(c.path);
        EXPECT_EQ(c.ok, SplitRegistryPath(root, path)) << c.path;
        EXPECT_EQ(c.root, root) << c.path;
        EXPECT_STREQ(c.rest, path) << c.path;
    }
}

TEST_F(RegistryValue, KeyReadsCheckBuffersAndTypes)
{
    StoreText("text", "abc");
    Store("list", REG_MULTI_SZ, "a\0\0", 3);
    CRegistryKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, kTestSubkey, KEY_READ));

    ULONG chars = 100;
    EXPECT_EQ(ERROR_SUCCESS, key.ReadString("text", nullptr, chars)) << "no buffer: the size only";
    EXPECT_EQ(4u, chars);
    char buffer[4] = {};
    chars = 3;
    EXPECT_EQ(ERROR_MORE_DATA, key.ReadString("text", buffer, chars));
    EXPECT_EQ(0u, chars);
    chars = 1;
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, key.ReadMultiString("list", buffer, chars));
    chars = 4;
    EXPECT_EQ(ERROR_INVALID_DATA, key.ReadMultiString("text", buffer, chars));
    chars = 4;
    EXPECT_EQ(ERROR_SUCCESS, key.ReadMultiString("list", buffer, chars));
    EXPECT_EQ(3u, chars);
    GUID guid{};
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.ReadGuid("missing", guid)) << "the system's error comes back";

    key.Close();
    EXPECT_EQ(nullptr, key.m_hKey);
}

// A key under HKLM that everybody may read but nobody may change (and that
// may be deleted, so that the test can clean up).
class ReadOnlyMachineKey : public testing::Test
{
protected:
    static constexpr char kSubkey[] = "Software\\Keyvane read-only key test";

    void SetUp() override
    {
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSubkey);
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        ASSERT_TRUE(
            ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &m_everyone));
        EXPLICIT_ACCESS_A access{};
        access.grfAccessPermissions = KEY_READ | DELETE;
        access.grfAccessMode = SET_ACCESS;
        access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        access.Trustee.ptstrName = static_cast<LPSTR>(m_everyone);
        ASSERT_EQ(DWORD{ERROR_SUCCESS}, ::SetEntriesInAclA(1, &access, nullptr, &m_acl));
        SECURITY_DESCRIPTOR descriptor;
        ASSERT_TRUE(::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION));
        ASSERT_TRUE(::SetSecurityDescriptorDacl(&descriptor, TRUE, m_acl, FALSE));

        // Filled first, then closed to writing through its access list.
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
            ::RegCreateKeyExA(
                HKEY_LOCAL_MACHINE, kSubkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
            << "creating a key under HKLM";
        const char text[] = "readable";
        LONG stored = ::RegSetValueExA(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
        if (stored == ERROR_SUCCESS)
            stored = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
        ::RegCloseKey(key);
        ASSERT_EQ(ERROR_SUCCESS, stored);
    }

    void TearDown() override
    {
        EXPECT_EQ(ERROR_SUCCESS, ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSubkey));
        ::LocalFree(m_acl);
        ::FreeSid(m_everyone);
    }

    PSID m_everyone = nullptr;
    PACL m_acl = nullptr;
};

TEST_F(ReadOnlyMachineKey, ReadsAKeyThatCannotBeWritten)
{
    HKEY writable = nullptr;
    ASSERT_EQ(
        ERROR_ACCESS_DENIED, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSubkey, 0, KEY_READ | KEY_WRITE, &writable))
        << "the key must refuse write access for this test to mean anything";

    CString text;
    CString path("HKLM\\");
    path += kSubkey;
    EXPECT_EQ(kRegistryValueRead, ReadRegistryValue(path, "v", REG_STRING, &text));
    EXPECT_STREQ("readable", text);
}

} // namespace
