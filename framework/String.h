#pragma once

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

// 8-bit ANSI text with shared, copy-on-write storage: copies are cheap and a
// copy is made only when one of the sharers writes.
class CString
{
public:
    CString() = default;
    CString(LPCSTR text);
    CString(LPCSTR text, int length);

    int GetLength() const;
    bool IsEmpty() const;
    void Empty();
    operator LPCSTR() const;

    CString& operator=(LPCSTR text);
    CString& operator+=(LPCSTR text);

    bool operator==(LPCSTR text) const { return Compare(text) == 0; }

    // Byte-wise comparison; the NoCase form folds ASCII letters to lower case.
    int Compare(LPCSTR text) const;
    int CompareNoCase(LPCSTR text) const;

    // Checked against the printf that <cstdio> really links: MinGW's own,
    // with C99 formats such as %zu, or the system one.
    void Format(LPCSTR format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));
    BOOL LoadString(UINT id);

    // Gives a writable buffer of at least minLength characters plus the
    // terminator; ReleaseBuffer(-1) takes the length up to the first NUL.
    LPSTR GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    std::string& Writable();

    std::shared_ptr<std::string> m_data;
};
