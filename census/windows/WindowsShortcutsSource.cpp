#include "census/windows/WindowsShortcutsSource.h"

#include "census/windows/RegistryRead.h"
#include "census/windows/WindowsShortcutCatalogue.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

namespace {

constexpr const wchar_t* kPolicyKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const wchar_t* kAdvancedKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr DWORD kFirstWindows11Build = 22000;

// The build the system really is, whatever compatibility it shows the
// program: GetVersionEx would answer for the release the program says it
// knows.
WindowsRelease RunningRelease()
{
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto get = reinterpret_cast<GetVersion>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (get && get(&version) == 0)
        return version.dwBuildNumber >= kFirstWindows11Build ? WindowsRelease::Windows11
                                                             : WindowsRelease::Windows10;
    const std::optional<std::wstring> build = RegistryText(
        HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"CurrentBuildNumber");
    return build && std::wcstoul(build->c_str(), nullptr, 10) >= kFirstWindows11Build
        ? WindowsRelease::Windows11
        : WindowsRelease::Windows10;
}

bool NoWinKeys()
{
    return RegistryDword(HKEY_CURRENT_USER, kPolicyKey, L"NoWinKeys").value_or(0)
        || RegistryDword(HKEY_LOCAL_MACHINE, kPolicyKey, L"NoWinKeys").value_or(0);
}

} // namespace

std::vector<ProbeResult> WindowsShortcutsSource::Census()
{
    const WindowsRelease release = RunningRelease();
    const bool noWinKeys = NoWinKeys();
    // Each character is the virtual-key code of a key whose Win shortcuts
    // Explorer leaves alone.
    const std::wstring disabled
        = RegistryText(HKEY_CURRENT_USER, kAdvancedKey, L"DisabledHotkeys").value_or(std::wstring());
    std::vector<ProbeResult> rows;
    for (const CatalogueShortcut& shortcut : WindowsShortcutCatalogue()) {
        if (shortcut.release != WindowsRelease::Both && shortcut.release != release)
            continue;
        const bool governed = shortcut.taker == ShortcutTaker::Explorer && (shortcut.modifiers & kModWin);
        if (governed && noWinKeys)
            continue;
        for (unsigned key = shortcut.firstKey; key <= shortcut.lastKey; ++key) {
            if (governed && disabled.find(static_cast<wchar_t>(key)) != std::wstring::npos)
                continue;
            ProbeResult row = m_platform.Row({key, shortcut.modifiers}, ProbeResult::State::Taken);
            row.holder = shortcut.taker == ShortcutTaker::Explorer ? "Explorer" : "Windows";
            row.action = shortcut.action;
            rows.push_back(std::move(row));
        }
    }
    return rows;
}
