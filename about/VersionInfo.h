#pragma once

#include <windows.h>

// Reads string values of a module's version resource, from the string table
// of the first language and code page pair of its translation list.
class CVersionInfo
{
public:
    CVersionInfo();
    virtual ~CVersionInfo();
    CVersionInfo(const CVersionInfo&) = delete;
    CVersionInfo& operator=(const CVersionInfo&) = delete;

    // Opens the version block of the file `module` was loaded from. A null
    // handle, or a file name that cannot be fetched whole, gives 0 and leaves
    // the object as it was.
    BOOL OpenModule(HMODULE module);
    // 1 when the file has a version block with the fixed part's signature and
    // a translation list; otherwise 0 and the object is closed.
    BOOL OpenFile(LPCSTR fileName);
    void Close();

    // Copies value `key` into `buffer`, cut to size - 1 characters. With a
    // null buffer it only tells whether the value exists. A value that is not
    // there (or a key too long to name one) gives 0 and an empty buffer.
    BOOL QueryString(LPCSTR key, LPSTR buffer, int size) const;

private:
    VS_FIXEDFILEINFO m_fixedInfo;
    void* m_pBlock;
    const DWORD* m_pTranslations;
    UINT m_nTranslation;
    UINT m_nTranslations;
    BOOL m_bValid;
};
