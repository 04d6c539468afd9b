#include "tests/census/WhoProgram.h"

#include <tlhelp32.h>

namespace {

std::vector<KeyRecorder::Event> g_events;

LRESULT CALLBACK RecordKey(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        g_events.push_back({key.vkCode, wParam == WM_KEYUP || wParam == WM_SYSKEYUP});
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

KeyRecorder::KeyRecorder()
    : m_hook(::SetWindowsHookExA(WH_KEYBOARD_LL, RecordKey, ::GetModuleHandleA(nullptr), 0))
{
    g_events.clear();
}

KeyRecorder::~KeyRecorder()
{
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
}

const std::vector<KeyRecorder::Event>& KeyRecorder::Events() const { return g_events; }

size_t KeyRecorder::Presses(DWORD key) const
{
    size_t presses = 0;
    for (const Event& event : g_events)
        presses += event.key == key && !event.up;
    return presses;
}

size_t CountProcesses(const std::string& executableName)
{
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    size_t count = 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        count += ::lstrcmpiA(entry.szExeFile, executableName.c_str()) == 0;
    ::CloseHandle(snapshot);
    return count;
}
