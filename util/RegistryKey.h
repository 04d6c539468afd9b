#pragma once

#include <windows.h>

// One open registry key, closed with the object. The typed reads return the
// system's error code (0 on success) and check the value's stored type; the
// numbers also its length, and they change nothing on failure.
class CRegistryKey
{
public:
    CRegistryKey() = default;
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;
    ~CRegistryKey() { Close(); }

    HKEY m_hKey = nullptr;

    LONG Open(HKEY root, LPCSTR subkey, REGSAM access);
    void Close();

    LONG ReadDword(LPCSTR valueName, DWORD& value) const;
    LONG ReadQword(LPCSTR valueName, ULONGLONG& value) const;
    LONG ReadBinary(LPCSTR valueName, void* data, ULONG& bytes) const;
    // `chars` is the buffer's size on the way in and the bytes stored,
    // terminator included, on the way out. A null buffer only asks the size.
    LONG ReadString(LPCSTR valueName, LPSTR buffer, ULONG& chars) const;
    LONG ReadMultiString(LPCSTR valueName, LPSTR buffer, ULONG& chars) const;
    // Only the braced text form "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
    LONG ReadGuid(LPCSTR valueName, GUID& guid) const;

private:
    LONG Query(LPCSTR valueName, DWORD& type, void* data, ULONG& bytes) const;
    // The query, failing with ERROR_INVALID_DATA when the value is stored as another type.
    LONG QueryOfType(LPCSTR valueName, DWORD expectedType, void* data, ULONG& bytes) const;
    template <class T> LONG ReadNumber(LPCSTR valueName, DWORD type, T& value) const;
};
