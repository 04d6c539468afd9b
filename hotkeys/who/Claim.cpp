#include "hotkeys/who/Claim.h"

#include "hotkeys/who/HookModules.h"
#include "win32/UniqueHandle.h"

#include <algorithm>

namespace who {

namespace {

bool ThreadRunsIn(DWORD threadId, DWORD processId)
{
    const UniqueHandle thread(::OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, threadId));
    return thread && ::GetProcessIdOfThread(thread.get()) == processId;
}

bool WindowBelongsTo(std::uint64_t window, DWORD threadId, DWORD processId)
{
    DWORD owner = 0;
    const DWORD thread
        = ::GetWindowThreadProcessId(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)), &owner);
    return thread != 0 && thread == threadId && owner == processId;
}

} // namespace

std::optional<Claim> CheckReport(const Report& report)
{
    const WORD key = HIWORD(report.combination);
    const auto modifiers = static_cast<WORD>(HotkeyModifiersOf(report.combination));
    if (!InRange(key, modifiers) || !ThreadRunsIn(report.threadId, report.processId))
        return std::nullopt;
    if (report.window && !WindowBelongsTo(report.window, report.threadId, report.processId))
        return std::nullopt;
    return Claim{report.processId, report.threadId, report.window, report.hotkeyId, key, modifiers,
        ProcessImage(report.processId)};
}

std::wstring ProcessImage(DWORD processId)
{
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return {};
    for (DWORD size = MAX_PATH;; size = std::min(size * 2, kLongestPath)) {
        std::wstring path(size, L'\0');
        DWORD length = size;
        if (::QueryFullProcessImageNameW(process.get(), 0, path.data(), &length)) {
            path.resize(length);
            return path;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == kLongestPath)
            return {};
    }
}

} // namespace who
