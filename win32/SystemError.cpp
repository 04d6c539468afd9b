#include "win32/SystemError.h"

#include "win32/UniqueHandle.h"
#include "win32/WideText.h"

std::string SystemMessage(DWORD error)
{
    // The system sizes the text: a fixed buffer would cut a long one short.
    LPWSTR buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    const UniqueLocal<wchar_t> owned(buffer);
    std::string message = Utf8FromWide(std::wstring_view(buffer, buffer ? length : 0));
    message.erase(message.find_last_not_of(" \r\n") + 1);
    return message;
}

std::string SystemError(const std::string& what, DWORD error)
{
    return what + " failed: " + SystemMessage(error) + " (error " + std::to_string(error) + ")";
}

std::string ErrorText(DWORD error)
{
    const std::string message = SystemMessage(error);
    return "error " + std::to_string(error) + (message.empty() ? "" : ": " + message);
}
