#include "census/windows/AutoHotkeySource.h"

#include "census/windows/AutoHotkeyScript.h"
#include "win32/WideText.h"
#include "win32/UniqueHandle.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

namespace {

constexpr wchar_t kScriptWindowClass[] = L"AutoHotkey";
constexpr std::wstring_view kTitleVersion = L" - AutoHotkey v";
constexpr int kTitleLength = 32768;

// Reads the caption Windows keeps for the window: GetWindowText sends no
// message to a window of another process.
std::wstring WindowTitle(HWND window)
{
    std::wstring title(kTitleLength, L'\0');
    title.resize(static_cast<size_t>(::GetWindowTextW(window, title.data(), kTitleLength)));
    return title;
}

std::vector<RunningScript> RunningScripts()
{
    std::vector<RunningScript> scripts;
    for (HWND window = ::FindWindowExW(nullptr, nullptr, kScriptWindowClass, nullptr); window;
         window = ::FindWindowExW(nullptr, window, kScriptWindowClass, nullptr)) {
        std::optional<RunningScript> script = ScriptOfTitle(WindowTitle(window));
        if (!script)
            continue;
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        script->processId = processId;
        scripts.push_back(std::move(*script));
    }
    return scripts;
}

// The program a process runs, or nothing where the system does not say.
std::wstring ProgramOf(unsigned long processId)
{
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return {};
    std::wstring path(MAX_PATH * 4, L'\0');
    DWORD length = static_cast<DWORD>(path.size());
    if (!::QueryFullProcessImageNameW(process.get(), 0, path.data(), &length))
        return {};
    path.resize(length);
    return path;
}

std::wstring UserLibrary()
{
    wchar_t* documents = nullptr;
    const HRESULT located = ::SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &documents);
    const std::unique_ptr<wchar_t, decltype(&::CoTaskMemFree)> owned(documents, ::CoTaskMemFree);
    return SUCCEEDED(located) ? std::wstring(documents) + L"\\AutoHotkey\\Lib" : std::wstring();
}

} // namespace

std::optional<RunningScript> ScriptOfTitle(const std::wstring& title)
{
    const size_t at = title.rfind(kTitleVersion);
    const size_t version = at + kTitleVersion.size();
    if (at == std::wstring::npos || at == 0 || version >= title.size() || !iswdigit(title[version]))
        return std::nullopt;
    return RunningScript{title.substr(0, at), title[version] - L'0', 0};
}

std::vector<ProbeResult> AutoHotkeySource::Census()
{
    const std::vector<RunningScript> running = RunningScripts();
    if (running.empty())
        return {};
    const std::wstring userLibrary = UserLibrary();
    std::vector<ProbeResult> rows;
    for (const RunningScript& script : running) {
        const ScriptReading reading = ReadAutoHotkeyScript(
            {script.path, script.majorVersion, ProgramOf(script.processId), userLibrary});
        for (const ScriptHotkey& hotkey : reading.hotkeys) {
            for (const Combination& combo : hotkey.combos)
                rows.push_back(TakenRow(Platform(), combo, hotkey.place, hotkey.action));
        }
        for (const ScriptFailure& failure : reading.failures)
            rows.push_back(UnreadRow(failure.place, failure.reason));
    }
    return rows;
}
