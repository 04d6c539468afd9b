#pragma once

#include <windows.h>

#include <streambuf>
#include <string>
#include <string_view>

// Writes the census's UTF-8 text to a standard handle: as wide characters to a
// real console, whatever its code page; as UTF-8 bytes to a file or a pipe.
// Lines end with CRLF. A write that fails fails the stream, for good.
class StdHandleBuffer : public std::streambuf
{
public:
    explicit StdHandleBuffer(HANDLE handle);

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    void Append(std::string_view text);
    bool WriteBytes(std::string_view bytes);
    bool WriteToConsole(std::string_view text);

    HANDLE m_handle;
    bool m_console;
    bool m_failed = false;
    std::string m_pending;
};
