// The hook a who query puts into every program of this bitness for about a
// second. In the thread that holds an asked combination it catches the
// WM_HOTKEY as the thread takes it off its queue, tells the asking program
// who it is, and turns the message into WM_NULL so that the owner never acts
// on the press.
#include "hotkeys/who/WhoProtocol.h"

#include <windows.h>

#include <cstring>

namespace {

// How long an owner's thread waits for the asking program to take a report.
constexpr UINT kReportTimeoutMs = 1000;

bool ReadQuery(who::Query& query)
{
    const HANDLE mapping = ::OpenFileMappingW(FILE_MAP_READ, FALSE, who::kQueryMappingName);
    if (!mapping)
        return false; // no query running
    const void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof query);
    if (view) {
        std::memcpy(&query, view, sizeof query);
        ::UnmapViewOfFile(view);
    }
    ::CloseHandle(mapping);
    // Reports go only to a window of the program that installed the hooks.
    return view && query.version == who::kProtocolVersion && who::ReportsToInstaller(query);
}

bool InInstaller(const who::Query& query)
{
    const DWORD self = ::GetCurrentProcessId();
    return self == query.installers[0] || self == query.installers[1];
}

void Report(const who::Query& query, const MSG& message)
{
    who::Report report{};
    report.version = who::kProtocolVersion;
    report.processId = ::GetCurrentProcessId();
    report.threadId = ::GetCurrentThreadId();
    report.hotkeyId = static_cast<std::int32_t>(message.wParam);
    report.window = reinterpret_cast<std::uintptr_t>(message.hwnd);
    report.combination = static_cast<std::uint32_t>(message.lParam);

    COPYDATASTRUCT data{};
    data.dwData = who::kReportTag;
    data.cbData = sizeof report;
    data.lpData = &report;
    DWORD_PTR result = 0;
    // A program that no longer answers must not hold the owner up for long;
    // the press is swallowed whether or not the report arrives.
    ::SendMessageTimeoutW(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(query.reportWindow)),
        WM_COPYDATA, reinterpret_cast<WPARAM>(message.hwnd), reinterpret_cast<LPARAM>(&data),
        SMTO_ABORTIFHUNG | SMTO_BLOCK, kReportTimeoutMs, &result);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK WhoGetMessageHook(int code, WPARAM removal, LPARAM lParam)
{
    if (code == HC_ACTION && removal == PM_REMOVE) {
        MSG& message = *reinterpret_cast<MSG*>(lParam);
        who::Query query;
        if (message.message == WM_HOTKEY && ReadQuery(query) && !InInstaller(query)
            && who::IsAsked(query, HIWORD(message.lParam),
                who::HotkeyModifiersOf(static_cast<std::uint32_t>(message.lParam)))) {
            Report(query, message);
            message.message = WM_NULL;
        }
    }
    return ::CallNextHookEx(nullptr, code, removal, lParam);
}
