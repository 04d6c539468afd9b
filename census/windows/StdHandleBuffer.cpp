#include "census/windows/StdHandleBuffer.h"

#include "win32/WideText.h"

#include <algorithm>

namespace {

// Written before this much is held back, not only when flushed.
constexpr size_t kBufferBytes = 64 * 1024;

// Where the text ends with a UTF-8 sequence that is not complete yet: a console
// would show its halves as two wrong characters.
size_t CompleteLength(std::string_view text)
{
    for (size_t back = 1; back <= std::min<size_t>(3, text.size()); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        const size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needed > back ? text.size() - back : text.size();
    }
    return text.size();
}

} // namespace

StdHandleBuffer::StdHandleBuffer(HANDLE handle) : m_handle(handle)
{
    DWORD mode = 0;
    m_console = ::GetConsoleMode(handle, &mode) != FALSE;
}

void StdHandleBuffer::Append(std::string_view text)
{
    for (const char c : text) {
        if (c == '\n')
            m_pending += '\r';
        m_pending += c;
    }
}

StdHandleBuffer::int_type StdHandleBuffer::overflow(int_type c)
{
    if (m_failed)
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        const char character = traits_type::to_char_type(c);
        Append({&character, 1});
    }
    if (m_pending.size() >= kBufferBytes && sync() != 0)
        return traits_type::eof();
    return traits_type::not_eof(c);
}

std::streamsize StdHandleBuffer::xsputn(const char* text, std::streamsize count)
{
    if (m_failed)
        return 0;
    Append({text, static_cast<size_t>(count)});
    if (m_pending.size() >= kBufferBytes && sync() != 0)
        return 0;
    return count;
}

int StdHandleBuffer::sync()
{
    if (m_failed)
        return -1;
    const size_t ready = m_console ? CompleteLength(m_pending) : m_pending.size();
    const std::string_view text(m_pending.data(), ready);
    m_failed = !(m_console ? WriteToConsole(text) : WriteBytes(text));
    m_pending.erase(0, ready);
    return m_failed ? -1 : 0;
}

bool StdHandleBuffer::WriteBytes(std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min(bytes.size(), kBufferBytes));
        if (!::WriteFile(m_handle, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool StdHandleBuffer::WriteToConsole(std::string_view text)
{
    const std::wstring wide = WideFromUtf8(text);
    std::wstring_view left = wide;
    while (!left.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min(left.size(), kBufferBytes / sizeof(wchar_t)));
        if (!::WriteConsoleW(m_handle, left.data(), chunk, &written, nullptr) || written == 0)
            return false;
        left.remove_prefix(written);
    }
    return true;
}
