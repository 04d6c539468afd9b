#include "hotkeys/who/HookModules.h"

#include "hotkeys/who/WideText.h"

#include <algorithm>

namespace who {

std::wstring ProgramFolder()
{
    // Grown until the whole path fits: a path cut short would name another file.
    for (DWORD size = MAX_PATH;; size = std::min(size * 2, kLongestPath)) {
        std::wstring path(size, L'\0');
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0)
            return {};
        if (length < size) {
            path.resize(length);
            return path.substr(0, path.find_last_of(L"\\/") + 1);
        }
        if (size == kLongestPath)
            return {};
    }
}

std::string SystemError(const std::string& what, DWORD error)
{
    wchar_t text[256] = L"";
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, text, sizeof text / sizeof *text, nullptr);
    std::string message = what + " failed: " + Utf8FromWide(std::wstring_view(text, length));
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message + " (error " + std::to_string(error) + ")";
}

HookLibrary::HookLibrary()
{
    const std::wstring folder = ProgramFolder();
    if (folder.empty()) {
        m_error = SystemError("Finding this program's folder", ::GetLastError());
        return;
    }
    const std::wstring path = folder + kOwnBitness.hookDll;
    m_module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!m_module) {
        m_error = SystemError("Loading " + Utf8FromWide(path), ::GetLastError());
        return;
    }
    m_procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(::GetProcAddress(m_module, "WhoGetMessageHook")));
    if (!m_procedure)
        m_error = SystemError("Finding the hook in " + Utf8FromWide(path), ::GetLastError());
}

HookLibrary::~HookLibrary()
{
    if (m_module)
        ::FreeLibrary(m_module);
}

WindowsHook::WindowsHook(const HookLibrary& library, DWORD threadId)
    : m_hook(::SetWindowsHookExW(WH_GETMESSAGE, library.Procedure(), library.Module(), threadId))
{
}

WindowsHook::~WindowsHook()
{
    // Failing to unhook leaves nothing to do: the system removes the hook
    // when the installing thread ends.
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
}

} // namespace who
