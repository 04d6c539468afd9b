#include "util/RegistryKey.h"

#include <objbase.h>

namespace {

constexpr ULONG kGuidTextChars = 64;

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

} // namespace

LONG CRegistryKey::Open(HKEY root, LPCSTR subkey, REGSAM access)
{
    Close();
    return ::RegOpenKeyExA(root, subkey, 0, access, &m_hKey);
}

void CRegistryKey::Close()
{
    if (m_hKey)
        ::RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

LONG CRegistryKey::Query(LPCSTR valueName, DWORD& type, void* data, ULONG& bytes) const
{
    DWORD size = bytes;
    const LONG error = ::RegQueryValueExA(m_hKey, valueName, nullptr, &type, static_cast<BYTE*>(data), &size);
    bytes = size;
    return error;
}

LONG CRegistryKey::QueryOfType(LPCSTR valueName, DWORD expectedType, void* data, ULONG& bytes) const
{
    DWORD type = REG_NONE;
    const LONG error = Query(valueName, type, data, bytes);
    if (error != ERROR_SUCCESS)
        return error;
    return type == expectedType ? ERROR_SUCCESS : ERROR_INVALID_DATA;
}

template <class T> LONG CRegistryKey::ReadNumber(LPCSTR valueName, DWORD type, T& value) const
{
    T read{};
    ULONG bytes = sizeof read;
    const LONG error = QueryOfType(valueName, type, &read, bytes);
    if (error != ERROR_SUCCESS)
        return error;
    // The registry stores whatever length it is given: a shorter value is no number.
    if (bytes != sizeof read)
        return ERROR_INVALID_DATA;
    value = read;
    return ERROR_SUCCESS;
}

LONG CRegistryKey::ReadDword(LPCSTR valueName, DWORD& value) const
{
    return ReadNumber(valueName, REG_DWORD, value);
}

LONG CRegistryKey::ReadQword(LPCSTR valueName, ULONGLONG& value) const
{
    return ReadNumber(valueName, REG_QWORD, value);
}

LONG CRegistryKey::ReadBinary(LPCSTR valueName, void* data, ULONG& bytes) const
{
    return QueryOfType(valueName, REG_BINARY, data, bytes);
}

LONG CRegistryKey::ReadString(LPCSTR valueName, LPSTR buffer, ULONG& chars) const
{
    DWORD type = REG_NONE;
    ULONG bytes = chars;
    chars = 0;
    const LONG error = Query(valueName, type, buffer, bytes);
    if (error != ERROR_SUCCESS)
        return error;
    if (!IsStringType(type))
        return ERROR_INVALID_DATA;
    // A value stored with no data at all is the empty text; one whose last
    // byte is not a terminator is not text.
    if (buffer && bytes > 0 && buffer[bytes - 1] != '\0')
        return ERROR_INVALID_DATA;
    chars = bytes;
    return ERROR_SUCCESS;
}

LONG CRegistryKey::ReadMultiString(LPCSTR valueName, LPSTR buffer, ULONG& chars) const
{
    if (buffer && chars < 2)
        return ERROR_INSUFFICIENT_BUFFER;
    DWORD type = REG_NONE;
    ULONG bytes = chars;
    chars = 0;
    const LONG error = Query(valueName, type, buffer, bytes);
    if (error != ERROR_SUCCESS)
        return error;
    if (type != REG_MULTI_SZ)
        return ERROR_INVALID_DATA;
    if (buffer && (bytes < 2 || buffer[bytes - 2] != '\0' || buffer[bytes - 1] != '\0'))
        return ERROR_INVALID_DATA;
    chars = bytes;
    return ERROR_SUCCESS;
}

LONG CRegistryKey::ReadGuid(LPCSTR valueName, GUID& guid) const
{
    guid = GUID{};
    char text[kGuidTextChars] = {};
    ULONG chars = kGuidTextChars;
    const LONG error = ReadString(valueName, text, chars);
    if (error != ERROR_SUCCESS)
        return error;
    if (text[0] != '{')
        return ERROR_INVALID_DATA;
    WCHAR wide[kGuidTextChars];
    if (!::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, static_cast<int>(kGuidTextChars)))
        return static_cast<LONG>(E_OUTOFMEMORY);
    return SUCCEEDED(::CLSIDFromString(wide, &guid)) ? ERROR_SUCCESS : ERROR_INVALID_DATA;
}
