#include "hotkeys/who/HookModules.h"

namespace who {

std::string ProgramFolder()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1);
}

std::string SystemError(const std::string& what, DWORD error)
{
    char text[256] = "";
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, text, sizeof text, nullptr);
    std::string message = what + " failed: ";
    message.append(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message + " (error " + std::to_string(error) + ")";
}

HookLibrary::HookLibrary()
{
    const std::string path = ProgramFolder() + kOwnBitness.hookDll;
    m_module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!m_module) {
        m_error = SystemError("Loading " + path, ::GetLastError());
        return;
    }
    m_procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(::GetProcAddress(m_module, "WhoGetMessageHook")));
    if (!m_procedure)
        m_error = SystemError("Finding the hook in " + path, ::GetLastError());
}

HookLibrary::~HookLibrary()
{
    if (m_module)
        ::FreeLibrary(m_module);
}

WindowsHook::WindowsHook(const HookLibrary& library, DWORD threadId)
    : m_hook(::SetWindowsHookExA(WH_GETMESSAGE, library.Procedure(), library.Module(), threadId))
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
