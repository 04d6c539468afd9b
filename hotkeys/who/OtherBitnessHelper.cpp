#include "hotkeys/who/OtherBitnessHelper.h"

#include "hotkeys/who/HookModules.h"
#include "hotkeys/who/MessagePump.h"
#include "win32/WideText.h"

#include <cstdint>
#include <vector>

namespace who {

namespace {

// Starting a program of the other bitness can take Wine a few seconds the first time.
constexpr DWORD kStartWaitMs = 15000;
constexpr DWORD kEndWaitMs = 5000;

// Only 32-bit programs run on a 32-bit system, and a 64-bit one may run both.
bool OtherBitnessRuns()
{
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
#endif
}

HANDLE InheritableEvent()
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateEventW(&inherit, TRUE, FALSE, nullptr);
}

// This process, for the helper to wait on: a process id could name another
// process by the time the helper opens it.
HANDLE InheritableSelf()
{
    HANDLE self = nullptr;
    if (!::DuplicateHandle(
            ::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &self, SYNCHRONIZE, TRUE, 0))
        return nullptr;
    return self;
}

// Handle values fit in 32 bits for programs of either bitness.
std::wstring HandleText(const UniqueHandle& handle)
{
    return std::to_wstring(static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(handle.get())));
}

// The list of handles a new process inherits: those alone, not every
// inheritable handle this program happens to have.
class InheritedHandles
{
public:
    explicit InheritedHandles(std::vector<HANDLE> handles) : m_handles(std::move(handles))
    {
        SIZE_T size = 0;
        ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        m_buffer.resize(size);
        auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_buffer.data());
        if (!::InitializeProcThreadAttributeList(list, 1, 0, &size)) {
            m_error = ::GetLastError();
            return;
        }
        m_list = list;
        if (!::UpdateProcThreadAttribute(m_list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, m_handles.data(),
                m_handles.size() * sizeof(HANDLE), nullptr, nullptr))
            m_error = ::GetLastError();
    }
    ~InheritedHandles()
    {
        if (m_list)
            ::DeleteProcThreadAttributeList(m_list);
    }
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;

    // Null when the list could not be made.
    LPPROC_THREAD_ATTRIBUTE_LIST List() const { return m_error ? nullptr : m_list; }
    DWORD Error() const { return m_error; }

private:
    std::vector<HANDLE> m_handles;
    std::vector<BYTE> m_buffer;
    LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
    DWORD m_error = 0;
};

} // namespace

OtherBitnessHelper::OtherBitnessHelper()
{
    if (OtherBitnessRuns())
        Start();
}

void OtherBitnessHelper::Start()
{
    m_ready.reset(InheritableEvent());
    m_quit.reset(InheritableEvent());
    m_self.reset(InheritableSelf());
    if (!m_ready || !m_quit || !m_self) {
        m_gap = SystemError("Making the helper's handles", ::GetLastError());
        return;
    }
    const std::wstring folder = ProgramFolder();
    if (folder.empty()) {
        m_gap = SystemError("Finding this program's folder", ::GetLastError());
        return;
    }
    const InheritedHandles inherited({m_self.get(), m_ready.get(), m_quit.get()});
    if (!inherited.List()) {
        m_gap = SystemError("Listing the helper's handles", inherited.Error());
        return;
    }

    const std::wstring path = folder + kOtherBitness.helper;
    std::wstring commandLine
        = L"\"" + path + L"\" " + HandleText(m_self) + L" " + HandleText(m_ready) + L" " + HandleText(m_quit);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.lpAttributeList = inherited.List();
    PROCESS_INFORMATION process{};
    // The helper is a console program. Started from the dialog, which has no
    // console, it would get a console window of its own, and that window would
    // take the foreground from the dialog for as long as the question runs.
    // It writes nothing when started by a census program: it needs no console.
    if (!::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
            EXTENDED_STARTUPINFO_PRESENT | DETACHED_PROCESS, nullptr, nullptr, &startup.StartupInfo,
            &process)) {
        m_gap = SystemError("Starting " + Utf8FromWide(path), ::GetLastError());
        return;
    }
    ::CloseHandle(process.hThread);
    m_process.reset(process.hProcess);

    if (WaitDispatching({m_ready.get(), m_process.get()}, kStartWaitMs) == 0)
        m_processId = process.dwProcessId;
    else
        m_gap = "the helper " + Utf8FromWide(path) + " could not install its hooks";
}

OtherBitnessHelper::~OtherBitnessHelper()
{
    if (!m_process)
        return;
    ::SetEvent(m_quit.get());
    // A helper that does not end in time goes all the same: its hooks must not stay.
    if (WaitDispatching({m_process.get()}, kEndWaitMs) != 0)
        ::TerminateProcess(m_process.get(), 1);
}

} // namespace who
