#include "util/RegistryValue.h"

#include <array>
#include <string>
#include <string_view>

namespace {

// The most a string value or a binary value may hold, terminator included.
constexpr ULONG kMaxValueBytes = 4096;

struct RootPrefix
{
    std::string_view prefix;
    HKEY root;
};

const std::array<RootPrefix, 10> kRootPrefixes = {{
    {"HKCR\\", HKEY_CLASSES_ROOT},
    {"HKEY_CLASSES_ROOT\\", HKEY_CLASSES_ROOT},
    {"HKCU\\", HKEY_CURRENT_USER},
    {"HKEY_CURRENT_USER\\", HKEY_CURRENT_USER},
    {"HKLM\\", HKEY_LOCAL_MACHINE},
    {"HKEY_LOCAL_MACHINE\\", HKEY_LOCAL_MACHINE},
    {"HKU\\", HKEY_USERS},
    {"HKEY_USERS\\", HKEY_USERS},
    {"HKCC\\", HKEY_CURRENT_CONFIG},
    {"HKEY_CURRENT_CONFIG\\", HKEY_CURRENT_CONFIG},
}};

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

// Reads text through `read` and, when that succeeds, gives `text` what stands
// before the first NUL.
template <class Read> LONG ReadText(CString& text, Read read)
{
    CString value;
    ULONG chars = kMaxValueBytes;
    LPSTR buffer = value.GetBuffer(static_cast<int>(kMaxValueBytes));
    const LONG error = read(buffer, chars);
    if (error != ERROR_SUCCESS)
        return error;
    // The buffer has room for a terminator after its full size.
    buffer[chars] = '\0';
    value.ReleaseBuffer(-1);
    text = value;
    return ERROR_SUCCESS;
}

template <class T>
LONG ReadDwordAs(const CRegistryKey& key, LPCSTR valueName, void* destination, T (*convert)(DWORD))
{
    DWORD value = 0;
    const LONG error = key.ReadDword(valueName, value);
    if (error == ERROR_SUCCESS)
        *static_cast<T*>(destination) = convert(value);
    return error;
}

} // namespace

int ReadRegistryValue(CString path, CString valueName, int type, void* destination)
{
    HKEY root = nullptr;
    if (!SplitRegistryPath(root, path))
        return kRegistryBadPath;
    return ReadKeyValue(root, path, valueName, type, destination);
}

BOOL SplitRegistryPath(HKEY& root, CString& path)
{
    root = reinterpret_cast<HKEY>(~ULONG_PTR{0});
    const std::string_view text(path);
    if (text.empty())
        return FALSE;
    const size_t backslash = text.find('\\');
    const std::string prefix
        = backslash == std::string_view::npos ? "" : AsciiUpper(text.substr(0, backslash + 1));
    for (const RootPrefix& known : kRootPrefixes) {
        if (known.prefix != prefix)
            continue;
        root = known.root;
        const std::string_view subkey = text.substr(prefix.size());
        path = CString(subkey.data(), static_cast<int>(subkey.size()));
        return !path.IsEmpty();
    }
    return FALSE;
}

int ReadKeyValue(HKEY root, LPCSTR subkey, LPCSTR valueName, int type, void* destination)
{
    // Reading needs no more than read access: asking for more would fail for
    // keys the user may read but not change.
    CRegistryKey key;
    if (key.Open(root, subkey, KEY_READ) != ERROR_SUCCESS)
        return kRegistryNoKey;
    return ReadTypedValue(key, valueName, type, destination);
}

int ReadTypedValue(const CRegistryKey& key, LPCSTR valueName, int type, void* destination)
{
    LONG error = ERROR_SUCCESS;
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_STRING:
        error = ReadText(*static_cast<CString*>(destination),
            [&](LPSTR buffer, ULONG& chars) { return key.ReadString(valueName, buffer, chars); });
        break;
    case REG_MULTI_SZ:
        error = ReadText(*static_cast<CString*>(destination),
            [&](LPSTR buffer, ULONG& chars) { return key.ReadMultiString(valueName, buffer, chars); });
        break;
    case REG_BINARY: {
        std::array<BYTE, kMaxValueBytes> data{};
        ULONG bytes = kMaxValueBytes;
        error = key.ReadBinary(valueName, data.data(), bytes);
        break;
    }
    case REG_DWORD:
        error = ReadDwordAs<DWORD>(key, valueName, destination, [](DWORD value) { return value; });
        break;
    case REG_INT:
        error = ReadDwordAs<INT>(
            key, valueName, destination, [](DWORD value) { return static_cast<INT>(value); });
        break;
    case REG_BOOLEAN:
        error = ReadDwordAs<BOOL>(
            key, valueName, destination, [](DWORD value) -> BOOL { return value != 0 ? TRUE : FALSE; });
        break;
    case REG_QWORD: {
        ULONGLONG value = 0;
        error = key.ReadQword(valueName, value);
        if (error == ERROR_SUCCESS)
            *static_cast<ULONGLONG*>(destination) = value;
        break;
    }
    case REG_GUID: {
        GUID value{};
        error = key.ReadGuid(valueName, value);
        if (error == ERROR_SUCCESS)
            *static_cast<GUID*>(destination) = value;
        break;
    }
    default:
        break;
    }
    return error == ERROR_SUCCESS ? kRegistryValueRead : kRegistryNoValue;
}
