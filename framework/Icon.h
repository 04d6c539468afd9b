#pragma once

#include <windows.h>

// An icon the object owns and destroys with itself. An icon that belongs to
// somebody else (a shared one from LoadIcon, say) is a plain HICON and is
// never destroyed.
class CIcon
{
public:
    CIcon() = default;
    // Icon resource `id` of `instance` at exactly size x size pixels, in the
    // display's colours; empty when it cannot be loaded.
    CIcon(HINSTANCE instance, UINT id, int size)
        : m_hIcon(static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0)))
    {
    }
    ~CIcon()
    {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
    }
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;

    HICON GetSafeHandle() const { return m_hIcon; }

private:
    HICON m_hIcon = nullptr;
};
