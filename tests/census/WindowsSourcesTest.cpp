// Windows' own hotkeys: the input-language switcher, input methods, the
// accessibility features and the system's shortcuts, from settings written to
// Wine's registry as the control panel writes them.
#include "census/core/Cli.h"
#include "census/core/CombinationText.h"
#include "census/windows/WindowsBackend.h"
#include "tests/census/CensusProgram.h"
#include "tests/census/FormatParsers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// A registry value set for the test and put back as it was afterwards; a key
// that the test created goes with it.
class TestValue
{
public:
    TestValue(HKEY root, std::wstring subkey, std::wstring name, DWORD type, const void* data, DWORD size)
        : m_root(root), m_subkey(std::move(subkey)), m_name(std::move(name))
    {
        HKEY key = nullptr;
        m_keyExisted = ::RegOpenKeyExW(root, m_subkey.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        if (m_keyExisted)
            ::RegCloseKey(key);
        DWORD oldSize = 0;
        if (::RegGetValueW(root, m_subkey.c_str(), m_name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &m_oldType,
                nullptr, &oldSize)
            == ERROR_SUCCESS) {
            m_old.emplace(oldSize, '\0');
            ::RegGetValueW(root, m_subkey.c_str(), m_name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &m_oldType,
                m_old->data(), &oldSize);
        }
        EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(root, m_subkey.c_str(), m_name.c_str(), type, data, size));
    }
    ~TestValue()
    {
        if (!m_keyExisted)
            ::RegDeleteTreeW(m_root, m_subkey.c_str());
        else if (m_old)
            ::RegSetKeyValueW(m_root, m_subkey.c_str(), m_name.c_str(), m_oldType, m_old->data(),
                static_cast<DWORD>(m_old->size()));
        else
            ::RegDeleteKeyValueW(m_root, m_subkey.c_str(), m_name.c_str());
    }
    TestValue(const TestValue&) = delete;
    TestValue& operator=(const TestValue&) = delete;

private:
    HKEY m_root;
    std::wstring m_subkey;
    std::wstring m_name;
    bool m_keyExisted = false;
    DWORD m_oldType = 0;
    std::optional<std::string> m_old;
};

TestValue Text(HKEY root, const std::wstring& subkey, const std::wstring& name, const std::wstring& text)
{
    return {
        root, subkey, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))};
}

TestValue Number(
    HKEY root, const std::wstring& subkey, const std::wstring& name, DWORD value, DWORD type = REG_DWORD)
{
    return {root, subkey, name, type, &value, sizeof value};
}

const std::wstring kToggle = L"Keyboard Layout\\Toggle";
const std::wstring kHotKeys = L"Control Panel\\Input Method\\Hot Keys\\";
const std::wstring kAccessibility = L"Control Panel\\Accessibility\\";
const std::wstring kPolicy = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::wstring kAdvanced = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// The source's rows as "combination: holder: action".
std::vector<std::string> Rows(const char* sourceName)
{
    WindowsCensusBackend backend;
    std::vector<std::string> rows;
    for (HotkeySource* source : backend.Sources()) {
        if (source->SourceName() != sourceName)
            continue;
        for (const ProbeResult& row : source->Census())
            rows.push_back(row.comboText + ": " + row.holder + ": " + row.action);
    }
    return rows;
}

bool Lists(const std::vector<std::string>& rows, const std::string& row)
{
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

// The input method hotkey of an id as the control panel stores it.
struct InputMethodHotkey
{
    InputMethodHotkey(const wchar_t* id, DWORD modifiers, DWORD key, DWORD target)
        : m_modifiers(Number(HKEY_CURRENT_USER, kHotKeys + id, L"Key Modifiers", modifiers, REG_BINARY)),
          m_key(Number(HKEY_CURRENT_USER, kHotKeys + id, L"Virtual Key", key, REG_BINARY)),
          m_target(Number(HKEY_CURRENT_USER, kHotKeys + id, L"Target IME", target, REG_BINARY))
    {
    }
    TestValue m_modifiers;
    TestValue m_key;
    TestValue m_target;
};

TEST(LanguageSource, TheNewerToggleValuesOverrideTheOlderOne)
{
    const char* const language = "Ctrl+Shift: input-language switcher: next input language";
    {
        const TestValue older = Text(HKEY_CURRENT_USER, kToggle, L"Hotkey", L"2");
        EXPECT_EQ(std::vector<std::string>{language}, Rows("language"));
        {
            const TestValue newer = Text(HKEY_CURRENT_USER, kToggle, L"Language Hotkey", L"1");
            const TestValue layout = Text(HKEY_CURRENT_USER, kToggle, L"Layout Hotkey", L"4");
            EXPECT_EQ((std::vector<std::string>{
                          "Alt+Shift: input-language switcher: next input language (as Left Alt+Shift)",
                          "`~: input-language switcher: next keyboard layout"}),
                Rows("language"));
        }
        const TestValue none = Text(HKEY_CURRENT_USER, kToggle, L"Language Hotkey", L"3");
        EXPECT_EQ(std::vector<std::string>{}, Rows("language"));
    }
}

TEST(LanguageSource, InputMethodHotkeysTellTheirSideAndRelease)
{
    const InputMethodHotkey japanese(L"00000030", 0x8806, 'K', 0);
    const InputMethodHotkey rightAlone(L"00000200", 0x4001, VK_F7, 0xE0010411);
    const InputMethodHotkey noKey(L"00000105", 0xC006, 0xFF, 0x04070407);
    EXPECT_EQ((std::vector<std::string>{
                  "Ctrl+Shift+K: Japanese IME: toggle the IME (as Left Ctrl+Left Shift+K, on release)",
                  "Alt+F7: IME for Japanese (Japan): the IME's own hotkey 0x200 (as Right Alt+F7)"}),
        Rows("language"));
}

TEST(AccessibilitySource, HotkeysOnInTheUsersSettingsAndNarratorsOwn)
{
    const TestValue highContrast
        = Text(HKEY_CURRENT_USER, kAccessibility + L"HighContrast", L"Flags", L"126");
    const TestValue stickyOff = Text(HKEY_CURRENT_USER, kAccessibility + L"StickyKeys", L"Flags", L"506");
    const TestValue toggleOn = Text(HKEY_CURRENT_USER, kAccessibility + L"ToggleKeys", L"Flags", L"62");
    const std::vector<std::string> on = Rows("accessibility");
    EXPECT_TRUE(Lists(on,
        "Alt+Shift+Print Screen: Windows: turn High Contrast on or off (as Left Alt+Left Shift+Print "
        "Screen)"));
    EXPECT_TRUE(Lists(on, "Num Lock: Windows: turn Toggle Keys on or off (Num Lock held for five seconds)"));
    EXPECT_FALSE(Lists(on, "Shift: Windows: turn Sticky Keys on or off (Shift pressed five times)"));
    EXPECT_TRUE(Lists(on, "Ctrl+Win+Enter/Return: Narrator: start or stop Narrator")) << "Narrator's default";

    const TestValue highContrastOff
        = Text(HKEY_CURRENT_USER, kAccessibility + L"HighContrast", L"Flags", L"122");
    const TestValue narratorOff
        = Number(HKEY_CURRENT_USER, L"Software\\Microsoft\\Narrator\\NoRoam", L"WinEnterLaunchEnabled", 0);
    EXPECT_EQ((std::vector<std::string>{
                  "Num Lock: Windows: turn Toggle Keys on or off (Num Lock held for five seconds)"}),
        Rows("accessibility"));
}

TEST(WindowsShortcutsSource, PoliciesFreeExplorersWinKeysButNotTheSystems)
{
    const char* const lock = "Win+L: Windows: Lock the PC";
    const char* const explorer = "Win+E: Explorer: Open File Explorer";
    const char* const run = "Win+R: Explorer: Open the Run dialog box";
    const char* const taskManager = "Ctrl+Shift+Escape: Windows: Open Task Manager";
    const std::vector<std::string> all = Rows("windows");
    for (const char* row : {lock, explorer, run, taskManager})
        EXPECT_TRUE(Lists(all, row)) << row;
    {
        const TestValue disabled = Text(HKEY_CURRENT_USER, kAdvanced, L"DisabledHotkeys", L"EL");
        const std::vector<std::string> rows = Rows("windows");
        EXPECT_FALSE(Lists(rows, explorer));
        EXPECT_TRUE(Lists(rows, lock) && Lists(rows, run)) << "only Explorer's Win+E is freed";
    }
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        const TestValue policy = Number(root, kPolicy, L"NoWinKeys", 1);
        const std::vector<std::string> rows = Rows("windows");
        EXPECT_FALSE(Lists(rows, explorer) || Lists(rows, run));
        EXPECT_TRUE(Lists(rows, lock) && Lists(rows, taskManager)
            && Lists(rows, "Win+U: Windows: Open Ease of Access Center"));
    }
}

TEST(WindowsSources, TheProgramListsAndChecksThem)
{
    const InputMethodHotkey englishOnCtrlShift0(L"00000104", 0xC006, '0', 0x04090409);
    const TestValue altShift = Text(HKEY_CURRENT_USER, kToggle, L"Hotkey", L"1");

    const ProgramRun listed = RunCensusProgram("list --format tsv --source windows,language");
    EXPECT_EQ(kExitSuccess, listed.status) << listed.err;
    const ParsedRecords rows = ParseTsv(listed.out);
    const auto lists = [&](const ParsedRecord& expected) {
        return std::any_of(rows.begin(), rows.end(), [&](const ParsedRecord& row) {
            return Only(row, {"combination", "source", "holder", "action"}) == expected;
        });
    };
    EXPECT_TRUE(lists(
        {{"combination", "Win+L"}, {"source", "windows"}, {"holder", "Windows"}, {"action", "Lock the PC"}}))
        << listed.out;
    EXPECT_TRUE(lists({{"combination", "Ctrl+Shift+0"}, {"source", "language"},
        {"holder", "input-language switcher"}, {"action", "switch to English (United States)"}}))
        << listed.out;

    // A switch of modifiers alone is found however it is typed.
    for (const char* combination : {"Ctrl+Shift+0", "Alt+Shift", "Shift+Alt"}) {
        const ProgramRun checked
            = RunCensusProgram(std::string("check --format tsv --source language ") + combination);
        EXPECT_EQ(kExitTaken, checked.status) << combination << "\n" << checked.out << checked.err;
    }
    const ProgramRun win = RunCensusProgram("check --format tsv Win+L Ctrl+Shift+9");
    EXPECT_EQ(kExitTaken, win.status) << win.out << win.err;
    const ParsedRecords answers = ParseTsv(win.out);
    ASSERT_EQ(2u, answers.size()) << win.out;
    EXPECT_EQ(
        (ParsedRecord{{"state", "taken"}, {"source", "windows"}}), Only(answers[0], {"state", "source"}));
    EXPECT_EQ((ParsedRecord{{"state", "free"}, {"source", ""}}), Only(answers[1], {"state", "source"}));
}

} // namespace
