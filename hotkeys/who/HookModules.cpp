#include "hotkeys/who/HookModules.h"

#include "win32/WideText.h"

namespace who {

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
