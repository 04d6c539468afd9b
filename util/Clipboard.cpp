#include "util/Clipboard.h"

#include <cstring>

namespace {

// Open for as long as the object lives.
class ClipboardOpening
{
public:
    explicit ClipboardOpening(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) { }
    ~ClipboardOpening()
    {
        if (m_open)
            ::CloseClipboard();
    }
    ClipboardOpening(const ClipboardOpening&) = delete;
    ClipboardOpening& operator=(const ClipboardOpening&) = delete;

    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

// Movable global memory, freed unless the clipboard took it.
class GlobalText
{
public:
    explicit GlobalText(const std::wstring& text)
        : m_memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)))
    {
        void* bytes = m_memory ? ::GlobalLock(m_memory) : nullptr;
        if (!bytes) {
            Free();
            return;
        }
        std::memcpy(bytes, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        ::GlobalUnlock(m_memory);
    }
    ~GlobalText() { Free(); }
    GlobalText(const GlobalText&) = delete;
    GlobalText& operator=(const GlobalText&) = delete;

    HGLOBAL Get() const { return m_memory; }
    // The clipboard owns the memory from now on.
    void Release() { m_memory = nullptr; }

private:
    void Free()
    {
        if (m_memory)
            ::GlobalFree(m_memory);
        m_memory = nullptr;
    }

    HGLOBAL m_memory;
};

} // namespace

bool PutTextOnClipboard(HWND owner, const std::wstring& text)
{
    GlobalText memory(text);
    if (!memory.Get())
        return false;
    const ClipboardOpening clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory.Get()))
        return false;
    memory.Release();
    return true;
}
