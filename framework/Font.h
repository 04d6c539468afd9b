#pragma once

#include <windows.h>

// A GDI font handle. CFont owns its font and deletes it with itself or when it
// makes another; CFontHandle borrows a font that belongs to somebody else.
template <bool t_bManaged> class CFontT
{
public:
    CFontT() = default;
    explicit CFontT(HFONT font) requires(!t_bManaged) : m_hFont(font) { }
    CFontT(const CFontT&) requires(!t_bManaged) = default;
    CFontT& operator=(const CFontT&) requires(!t_bManaged) = default;
    CFontT(const CFontT&) requires t_bManaged = delete;
    CFontT& operator=(const CFontT&) requires t_bManaged = delete;
    ~CFontT()
    {
        if constexpr (t_bManaged)
            DeleteObject();
    }

    HFONT m_hFont = nullptr;

    operator HFONT() const { return m_hFont; }

    BOOL CreateFontIndirect(const LOGFONTA* logFont) requires t_bManaged
    {
        DeleteObject();
        m_hFont = ::CreateFontIndirectA(logFont);
        return m_hFont != nullptr;
    }

    BOOL DeleteObject() requires t_bManaged
    {
        const BOOL deleted = m_hFont && ::DeleteObject(m_hFont);
        m_hFont = nullptr;
        return deleted;
    }

    // FALSE when the handle is not a font.
    BOOL GetLogFont(LOGFONTA* logFont) const
    {
        return ::GetObjectA(m_hFont, sizeof *logFont, logFont) == static_cast<int>(sizeof *logFont);
    }
};

using CFont = CFontT<true>;
using CFontHandle = CFontT<false>;
