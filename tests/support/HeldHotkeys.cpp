#include "tests/support/HeldHotkeys.h"

#include <cstdio>
#include <utility>

namespace {

std::string HolderPath()
{
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "hotkey_holder.exe";
}

std::string UniqueEventName(const char* role)
{
    static int serial = 0;
    char name[64];
    std::snprintf(name, sizeof name, "keyvane-test-%lu-%d-%s", ::GetCurrentProcessId(), ++serial, role);
    return name;
}

} // namespace

HeldHotkeys::HeldHotkeys(const std::vector<Combination>& combinations)
    : HeldHotkeys([&] {
          std::string arguments;
          char item[32];
          for (const Combination& c : combinations) {
              std::snprintf(item, sizeof item, " %x:%x", c.modifiers, c.key);
              arguments += item;
          }
          return arguments;
      }())
{
}

HeldHotkeys HeldHotkeys::All() { return HeldHotkeys(std::string(" all")); }

HeldHotkeys::HeldHotkeys(const std::string& arguments)
{
    const std::string readyName = UniqueEventName("ready");
    const std::string quitName = UniqueEventName("quit");
    m_ready = ::CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
    m_quit = ::CreateEventA(nullptr, TRUE, FALSE, quitName.c_str());

    std::string commandLine = "\"" + HolderPath() + "\" " + readyName + " " + quitName + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(
            nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return;
    ::CloseHandle(process.hThread);
    m_process = process.hProcess;

    // Ready, or gone because a registration failed.
    const HANDLE waitFor[] = {m_ready, m_process};
    m_holding = ::WaitForMultipleObjects(2, waitFor, FALSE, 60000) == WAIT_OBJECT_0;
}

HeldHotkeys::HeldHotkeys(HeldHotkeys&& other) noexcept
    : m_ready(std::exchange(other.m_ready, nullptr)), m_quit(std::exchange(other.m_quit, nullptr)),
      m_process(std::exchange(other.m_process, nullptr)), m_holding(other.m_holding)
{
}

HeldHotkeys::~HeldHotkeys()
{
    if (m_process) {
        ::SetEvent(m_quit);
        ::WaitForSingleObject(m_process, 60000);
        ::CloseHandle(m_process);
    }
    if (m_quit)
        ::CloseHandle(m_quit);
    if (m_ready)
        ::CloseHandle(m_ready);
}
