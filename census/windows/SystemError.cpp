#include "census/windows/SystemError.h"

#include "hotkeys/who/WideText.h"

#include <iterator>

std::string SystemErrorText(DWORD error)
{
    std::string text = "error " + std::to_string(error);
    wchar_t message[512] = {};
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, message, static_cast<DWORD>(std::size(message)), nullptr);
    std::string description = Utf8FromWide({message, length});
    description.erase(description.find_last_not_of(" \r\n") + 1);
    if (!description.empty())
        text += ": " + description;
    return text;
}
