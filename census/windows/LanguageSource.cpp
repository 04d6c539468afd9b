#include "census/windows/LanguageSource.h"

#include "census/windows/ModifierKeys.h"
#include "census/windows/RegistryRead.h"
#include "win32/WideText.h"

#include <cstdio>
#include <cwchar>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <tuple>
#include <type_traits>

namespace {

constexpr const wchar_t* kToggleKey = L"Keyboard Layout\\Toggle";
constexpr const wchar_t* kHotKeysKey = L"Control Panel\\Input Method\\Hot Keys";
constexpr const wchar_t* kSwitcher = L"input-language switcher";

// Bits of an input method hotkey's modifiers beside MOD_ALT, _CONTROL,
// _SHIFT and _WIN (imm.h).
constexpr UINT kModOnKeyUp = 0x0800;
constexpr UINT kModRight = 0x4000;
constexpr UINT kModLeft = 0x8000;

// Ranges of input method hotkey ids (imm.h).
constexpr DWORD kDirectSwitchFirst = 0x100;
constexpr DWORD kDirectSwitchLast = 0x11F;
constexpr DWORD kPrivateFirst = 0x200;
constexpr DWORD kPrivateLast = 0x21F;

struct KnownHotkey
{
    DWORD id;
    const char* holder;
    const char* action;
};

constexpr KnownHotkey kKnownHotkeys[] = {
    {0x10, "Simplified Chinese IME", "toggle the IME"},
    {0x11, "Simplified Chinese IME", "toggle full and half width"},
    {0x12, "Simplified Chinese IME", "toggle symbol punctuation"},
    {0x30, "Japanese IME", "toggle the IME"},
    {0x50, "Korean IME", "toggle full and half width"},
    {0x51, "Korean IME", "convert to Hanja"},
    {0x52, "Korean IME", "toggle English input"},
    {0x70, "Traditional Chinese IME", "toggle the IME"},
    {0x71, "Traditional Chinese IME", "toggle full and half width"},
    {0x72, "Traditional Chinese IME", "toggle symbol punctuation"},
};

struct InputMethodHotkey
{
    UINT modifiers;
    UINT key;
    HKL target;
};

using GetHotKey = BOOL(WINAPI*)(DWORD, UINT*, UINT*, HKL*);

struct ModuleFreer
{
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

// The system's live table of input method hotkeys, where it keeps one: some
// systems answer FALSE for every id, and the user's settings answer instead.
class LiveHotkeys
{
public:
    LiveHotkeys()
    {
        wchar_t folder[MAX_PATH];
        const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
        if (!length || length >= MAX_PATH)
            return;
        m_module.reset(::LoadLibraryW((std::wstring(folder, length) + L"\\imm32.dll").c_str()));
        if (m_module)
            m_get = reinterpret_cast<GetHotKey>(
                reinterpret_cast<void (*)()>(::GetProcAddress(m_module.get(), "ImmGetHotKey")));
    }

    std::optional<InputMethodHotkey> Get(DWORD id) const
    {
        InputMethodHotkey hotkey{};
        if (!m_get || !m_get(id, &hotkey.modifiers, &hotkey.key, &hotkey.target))
            return std::nullopt;
        return hotkey;
    }

private:
    UniqueModule m_module;
    GetHotKey m_get = nullptr;
};

// The user's setting for one id, as the control panel writes it.
std::optional<InputMethodHotkey> SavedHotkey(DWORD id)
{
    wchar_t name[9];
    std::swprintf(name, std::size(name), L"%08X", static_cast<unsigned>(id));
    const std::wstring subkey = std::wstring(kHotKeysKey) + L"\\" + name;
    const std::optional<DWORD> modifiers
        = RegistryBinaryDword(HKEY_CURRENT_USER, subkey.c_str(), L"Key Modifiers");
    const std::optional<DWORD> key = RegistryBinaryDword(HKEY_CURRENT_USER, subkey.c_str(), L"Virtual Key");
    if (!modifiers || !key)
        return std::nullopt;
    const DWORD target = RegistryBinaryDword(HKEY_CURRENT_USER, subkey.c_str(), L"Target IME").value_or(0);
    return InputMethodHotkey{*modifiers, *key, reinterpret_cast<HKL>(static_cast<ULONG_PTR>(target))};
}

// The ids the user's settings hold, each named by 8 hexadecimal digits.
std::set<DWORD> SavedHotkeyIds()
{
    std::set<DWORD> ids;
    for (const std::wstring& name : RegistrySubkeys(HKEY_CURRENT_USER, kHotKeysKey)) {
        wchar_t* end = nullptr;
        const unsigned long id = std::wcstoul(name.c_str(), &end, 16);
        if (name.size() == 8 && *end == L'\0')
            ids.insert(id);
    }
    return ids;
}

// Every id the system defines.
std::set<DWORD> DefinedHotkeyIds()
{
    std::set<DWORD> ids;
    for (const KnownHotkey& known : kKnownHotkeys)
        ids.insert(known.id);
    for (DWORD id = kDirectSwitchFirst; id <= kDirectSwitchLast; ++id)
        ids.insert(id);
    for (DWORD id = kPrivateFirst; id <= kPrivateLast; ++id)
        ids.insert(id);
    return ids;
}

std::string IdText(DWORD id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(id));
    return text;
}

// The holder and action of the hotkey of an id.
std::pair<std::string, std::string> HolderAndAction(DWORD id, HKL target)
{
    for (const KnownHotkey& known : kKnownHotkeys) {
        if (known.id == id)
            return {known.holder, known.action};
    }
    if (id >= kDirectSwitchFirst && id <= kDirectSwitchLast)
        return {Utf8FromWide(kSwitcher),
            target ? "switch to " + InputLanguageName(target) : std::string("switch input language")};
    const std::string ime = target ? "IME for " + InputLanguageName(target) : std::string("IME");
    if (id >= kPrivateFirst && id <= kPrivateLast)
        return {ime, "the IME's own hotkey " + IdText(id)};
    return {ime, "IME hotkey " + IdText(id)};
}

ModifierSide SideOf(UINT modifiers)
{
    const bool left = modifiers & kModLeft;
    const bool right = modifiers & kModRight;
    return left == right ? ModifierSide::Either : left ? ModifierSide::Left : ModifierSide::Right;
}

// What a value of the switcher's settings makes the hotkey: "1" Left
// Alt+Shift, "2" Ctrl+Shift, "4" the grave accent; "3" and anything else none.
struct Toggle
{
    Combination combo;
    ModifierSide altSide;
};
std::optional<Toggle> ToggleOf(const std::optional<std::wstring>& value)
{
    if (value == L"1")
        return Toggle{ModifiersAlone(kModAlt | kModShift), ModifierSide::Left};
    if (value == L"2")
        return Toggle{ModifiersAlone(kModCtrl | kModShift), ModifierSide::Either};
    if (value == L"4")
        return Toggle{{VK_OEM_3, 0}, ModifierSide::Either};
    return std::nullopt;
}

} // namespace

std::string InputLanguageName(HKL layout)
{
    const LANGID language = LOWORD(reinterpret_cast<ULONG_PTR>(layout));
    wchar_t locale[LOCALE_NAME_MAX_LENGTH];
    wchar_t name[256];
    if (::LCIDToLocaleName(MAKELCID(language, SORT_DEFAULT), locale, LOCALE_NAME_MAX_LENGTH, 0)
        && ::GetLocaleInfoEx(locale, LOCALE_SENGLISHDISPLAYNAME, name, static_cast<int>(std::size(name))))
        return Utf8FromWide(name);
    char code[16];
    std::snprintf(code, sizeof code, "language %04X", static_cast<unsigned>(language));
    return code;
}

std::vector<ProbeResult> LanguageSource::Census()
{
    std::vector<ProbeResult> rows;
    AddToggles(rows);
    AddInputMethodHotkeys(rows);
    return rows;
}

bool LanguageSource::Matches(const ProbeResult& row, const Combination& combo) const
{
    return SameKeys(row.combo, combo);
}

void LanguageSource::AddToggles(std::vector<ProbeResult>& rows) const
{
    // The older single value stands for the language switch where the newer
    // one is missing.
    std::optional<std::wstring> language = RegistryText(HKEY_CURRENT_USER, kToggleKey, L"Language Hotkey");
    if (!language)
        language = RegistryText(HKEY_CURRENT_USER, kToggleKey, L"Hotkey");
    const struct
    {
        std::optional<std::wstring> value;
        const char* action;
    } toggles[] = {
        {language, "next input language"},
        {RegistryText(HKEY_CURRENT_USER, kToggleKey, L"Layout Hotkey"), "next keyboard layout"},
    };
    for (const auto& toggle : toggles) {
        const std::optional<Toggle> found = ToggleOf(toggle.value);
        if (!found)
            continue;
        ProbeResult row = m_platform.Row(found->combo, ProbeResult::State::Taken);
        row.holder = Utf8FromWide(kSwitcher);
        row.action = toggle.action
            + PressedAs(kModAlt & found->combo.modifiers, m_platform.KeyText(found->combo.key),
                found->altSide, false);
        rows.push_back(std::move(row));
    }
}

void LanguageSource::AddInputMethodHotkeys(std::vector<ProbeResult>& rows) const
{
    const LiveHotkeys live;
    const std::set<DWORD> saved = SavedHotkeyIds();
    std::set<DWORD> ids = DefinedHotkeyIds();
    ids.insert(saved.begin(), saved.end());
    for (const DWORD id : ids) {
        std::optional<InputMethodHotkey> hotkey = live.Get(id);
        if (!hotkey && saved.contains(id))
            hotkey = SavedHotkey(id);
        // Key 0 is no key, and 0xFF is what settings hold for none.
        if (!hotkey || hotkey->key == 0 || hotkey->key >= 0xFF)
            continue;
        const Combination combo = Written({hotkey->key, hotkey->modifiers & kAllModifiers});
        ProbeResult row = m_platform.Row(combo, ProbeResult::State::Taken);
        std::tie(row.holder, row.action) = HolderAndAction(id, hotkey->target);
        row.action += PressedAs(combo.modifiers, m_platform.KeyText(combo.key), SideOf(hotkey->modifiers),
            hotkey->modifiers & kModOnKeyUp);
        rows.push_back(std::move(row));
    }
}
