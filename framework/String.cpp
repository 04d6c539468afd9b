#include "framework/String.h"

#include "framework/WinApp.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

int CompareBytes(LPCSTR left, LPCSTR right, int (*fold)(unsigned char))
{
    for (;; ++left, ++right) {
        const int a = fold(static_cast<unsigned char>(*left));
        const int b = fold(static_cast<unsigned char>(*right));
        if (a != b)
            return a < b ? -1 : 1;
        if (a == 0)
            return 0;
    }
}

int Unfolded(unsigned char c) { return c; }

// Only ASCII letters fold, so the order does not depend on a locale.
int FoldedToLower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

} // namespace

CString::CString(LPCSTR text)
{
    if (text && *text)
        m_data = std::make_shared<std::string>(text);
}

CString::CString(LPCSTR text, int length)
{
    if (text && length > 0)
        m_data = std::make_shared<std::string>(text, static_cast<size_t>(length));
}

int CString::GetLength() const { return m_data ? static_cast<int>(m_data->size()) : 0; }

bool CString::IsEmpty() const { return GetLength() == 0; }

void CString::Empty() { m_data.reset(); }

CString::operator LPCSTR() const { return m_data ? m_data->c_str() : ""; }

CString& CString::operator=(LPCSTR text)
{
    // The text may point into this string's own storage: build the new one first.
    *this = CString(text);
    return *this;
}

CString& CString::operator+=(LPCSTR text)
{
    if (text && *text) {
        const std::string tail(text);
        Writable() += tail;
    }
    return *this;
}

int CString::Compare(LPCSTR text) const { return CompareBytes(*this, text ? text : "", Unfolded); }

int CString::CompareNoCase(LPCSTR text) const { return CompareBytes(*this, text ? text : "", FoldedToLower); }

void CString::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) {
        Empty();
    } else {
        std::string text(static_cast<size_t>(length), '\0');
        std::vsnprintf(text.data(), text.size() + 1, format, args);
        m_data = std::make_shared<std::string>(std::move(text));
    }
    va_end(args);
}

BOOL CString::LoadString(UINT id)
{
    // LoadStringA reports only how much it copied, so grow until the text fits.
    for (int size = 256;; size *= 2) {
        const int copied = ::LoadStringA(AfxGetResourceHandle(), id, GetBuffer(size), size + 1);
        if (copied < size) {
            ReleaseBuffer(copied);
            return copied > 0;
        }
    }
}

LPSTR CString::GetBuffer(int minLength)
{
    std::string& text = Writable();
    if (minLength > static_cast<int>(text.size()))
        text.resize(static_cast<size_t>(minLength));
    return text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    std::string& text = Writable();
    const size_t length = newLength < 0 ? std::strlen(text.c_str()) : static_cast<size_t>(newLength);
    text.resize(std::min(length, text.size()));
}

std::string& CString::Writable()
{
    if (!m_data)
        m_data = std::make_shared<std::string>();
    else if (m_data.use_count() > 1)
        m_data = std::make_shared<std::string>(*m_data);
    return *m_data;
}

BOOL AfxExtractSubString(CString& field, LPCSTR full, int index, char separator)
{
    field.Empty();
    if (!full || index < 0)
        return FALSE;
    for (; index > 0; --index) {
        full = std::strchr(full, separator);
        if (!full)
            return FALSE;
        ++full;
    }
    const char* end = std::strchr(full, separator);
    field = CString(full, end ? static_cast<int>(end - full) : static_cast<int>(std::strlen(full)));
    return TRUE;
}
