#include "census/windows/AccessibilitySource.h"

#include "census/windows/ModifierKeys.h"
#include "census/windows/RegistryRead.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

namespace {

// The same bit in the flags of each feature: SKF_, FKF_, TKF_, MKF_ and
// HCF_HOTKEYACTIVE.
constexpr DWORD kHotkeyActive = 0x4;

constexpr const wchar_t* kSettingsKey = L"Control Panel\\Accessibility\\";
constexpr const wchar_t* kNarratorKey = L"Software\\Microsoft\\Narrator\\NoRoam";

// The flags of a feature as SystemParametersInfo tells them; 0 where it
// cannot tell, which no system with the feature says otherwise, as its
// ..._AVAILABLE bit is set.
template <class Settings, UINT Action> DWORD LiveFlags()
{
    Settings settings{};
    settings.cbSize = sizeof settings;
    return ::SystemParametersInfoW(Action, sizeof settings, &settings, 0) ? settings.dwFlags : 0;
}

struct Feature
{
    DWORD (*liveFlags)();
    const wchar_t* settings; // the key under HKCU\Control Panel\Accessibility
    Combination combo;
    ModifierSide side;
    const char* action;
};

const Feature kFeatures[] = {
    {LiveFlags<HIGHCONTRASTW, SPI_GETHIGHCONTRAST>, L"HighContrast", {VK_SNAPSHOT, kModAlt | kModShift},
        ModifierSide::Left, "turn High Contrast on or off"},
    {LiveFlags<MOUSEKEYS, SPI_GETMOUSEKEYS>, L"MouseKeys", {VK_NUMLOCK, kModAlt | kModShift},
        ModifierSide::Left, "turn Mouse Keys on or off"},
    {LiveFlags<STICKYKEYS, SPI_GETSTICKYKEYS>, L"StickyKeys", {VK_SHIFT, 0}, ModifierSide::Either,
        "turn Sticky Keys on or off (Shift pressed five times)"},
    {LiveFlags<FILTERKEYS, SPI_GETFILTERKEYS>, L"Keyboard Response", {VK_RSHIFT, 0}, ModifierSide::Either,
        "turn Filter Keys on or off (Right Shift held for eight seconds)"},
    {LiveFlags<TOGGLEKEYS, SPI_GETTOGGLEKEYS>, L"ToggleKeys", {VK_NUMLOCK, 0}, ModifierSide::Either,
        "turn Toggle Keys on or off (Num Lock held for five seconds)"},
};

// The flags the user's settings hold, a decimal number written as text.
std::optional<DWORD> SavedFlags(const wchar_t* settings)
{
    const std::optional<std::wstring> text
        = RegistryText(HKEY_CURRENT_USER, (std::wstring(kSettingsKey) + settings).c_str(), L"Flags");
    if (!text || text->empty())
        return std::nullopt;
    wchar_t* end = nullptr;
    const unsigned long flags = std::wcstoul(text->c_str(), &end, 10);
    if (*end != L'\0')
        return std::nullopt;
    return static_cast<DWORD>(flags);
}

bool HotkeyActive(const Feature& feature)
{
    if (const DWORD live = feature.liveFlags())
        return live & kHotkeyActive;
    return SavedFlags(feature.settings).value_or(0) & kHotkeyActive;
}

} // namespace

std::vector<ProbeResult> AccessibilitySource::Census()
{
    std::vector<ProbeResult> rows;
    for (const Feature& feature : kFeatures) {
        if (!HotkeyActive(feature))
            continue;
        ProbeResult row = m_platform.Row(feature.combo, ProbeResult::State::Taken);
        row.holder = "Windows";
        row.action = feature.action
            + PressedAs(feature.combo.modifiers, m_platform.KeyText(feature.combo.key), feature.side, false);
        rows.push_back(std::move(row));
    }
    // Narrator starts on Ctrl+Win+Enter unless the user turned that off.
    if (RegistryDword(HKEY_CURRENT_USER, kNarratorKey, L"WinEnterLaunchEnabled").value_or(1)) {
        ProbeResult row = m_platform.Row({VK_RETURN, kModCtrl | kModWin}, ProbeResult::State::Taken);
        row.holder = "Narrator";
        row.action = "start or stop Narrator";
        rows.push_back(std::move(row));
    }
    return rows;
}

bool AccessibilitySource::Matches(const ProbeResult& row, const Combination& combo) const
{
    return SameKeys(row.combo, combo);
}
