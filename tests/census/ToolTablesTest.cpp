// The AutoHotkey script reader and the PowerToys settings reader, against
// files written in the tools' published formats.
#include "census/core/CombinationText.h"
#include "census/windows/AutoHotkeyScript.h"
#include "census/windows/PowerToysSource.h"
#include "census/windows/WindowsBackend.h"
#include "census/windows/WindowsKeys.h"
#include "win32/WideText.h"
#include "tests/census/ToolData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// "Ctrl+Alt+J kv keys.ahk:8 Run "notepad.exe"", or "failed <place> <reason>".
std::vector<std::string> Lines(const ScriptReading& reading)
{
    std::vector<std::string> lines;
    for (const ScriptHotkey& hotkey : reading.hotkeys) {
        for (const Combination& combo : hotkey.combos)
            lines.push_back(CombinationText(combo.modifiers, WindowsKeyText(combo.key)) + " "
                + FileName(hotkey.place) + " " + hotkey.action);
    }
    for (const ScriptFailure& failure : reading.failures)
        lines.push_back("failed " + FileName(failure.place) + " " + failure.reason);
    return lines;
}

// Takes out the lines that end so, and says how many there were.
long Extract(std::vector<std::string>& lines, const std::string& ending)
{
    return static_cast<long>(
        std::erase_if(lines, [&](const std::string& line) { return line.ends_with(ending); }));
}

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

TEST(AutoHotkeyScripts, VersionTwoLabelsHotkeyCallsConditionsAndIncludes)
{
    std::vector<std::string> lines
        = Lines(ReadAutoHotkeyScript({ToolData(L"autohotkey\\kv keys.ahk"), 2, L"", L""}));
    EXPECT_EQ(8, Extract(lines, "kv keys.ahk:31 Reload (with any modifiers)")) << "Win+F7 with any modifiers";
    EXPECT_EQ(
        (std::vector<std::string>{
            "Win+F12 shared.ahk:2 MsgBox \"shared\"",
            "Alt+F1 Tools.ahk:1 ToolTip \"tools\"",
            "Ctrl+Alt+J kv keys.ahk:8 Run \"notepad.exe\"",
            "Shift+Win+F9 kv keys.ahk:9 ShowNotes",
            "Ctrl+Alt+F10 kv keys.ahk:10 ShowNotes",
            "Ctrl+Shift+F11 kv keys.ahk:14 Greet",
            "Ctrl+Shift+S kv keys.ahk:27 Send \"^s\" (only where #HotIf WinActive(\"ahk_exe notepad.exe\"))",
            "J kv keys.ahk:29 Send \"{Left}\" (custom combination CapsLock & j)",
            "F8 kv keys.ahk:30 SoundBeep (on release)",
        }),
        lines);
}

TEST(AutoHotkeyScripts, VersionOneInUtf16WithCommandsAndTheirConditions)
{
    EXPECT_EQ((std::vector<std::string>{
                  "Ctrl+Alt+N old keys.ahk:4 Send, h\xC3\xA9llo (only where #IfWinActive ahk_class Notepad)",
                  "Shift+Win+K old keys.ahk:6 OpenKeys",
                  "Ctrl+Alt+F2 old keys.ahk:8 Build (only where Hotkey IfWinActive, ahk_exe code.exe)",
                  "Ctrl+Alt+Q old keys.ahk:11 $^!q",
              }),
        Lines(ReadAutoHotkeyScript({ToolData(L"autohotkey\\old keys.ahk"), 1, L"", L""})));
}

TEST(AutoHotkeyScripts, WhatCannotBeReadIsAFailureSayingWhy)
{
    wchar_t temp[MAX_PATH];
    ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, temp));
    const std::wstring script = std::wstring(temp) + L"keyvane-broken.ahk";
    WriteFile(
        script, "#Include missing.ahk\n#Include *i optional.ahk\n#Include <NoSuchLib>\n^F1::Run \"x\"\n");
    const std::vector<std::string> lines = Lines(ReadAutoHotkeyScript({script, 2, L"", L""}));
    ::DeleteFileW(script.c_str());
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("Ctrl+F1 keyvane-broken.ahk:4 Run \"x\"", lines[0]);
    EXPECT_TRUE(lines[1].starts_with("failed keyvane-broken.ahk:1 cannot read ")
        && lines[1].find("missing.ahk: error 2") != std::string::npos)
        << lines[1];
    EXPECT_EQ("failed keyvane-broken.ahk:3 no library <NoSuchLib>", lines[2]);

    const ScriptReading gone = ReadAutoHotkeyScript({script, 2, L"", L""});
    ASSERT_EQ(1u, gone.failures.size());
    EXPECT_EQ(Utf8FromWide(script), gone.failures[0].place);
    EXPECT_TRUE(gone.failures[0].reason.starts_with("error 2")) << gone.failures[0].reason;
    EXPECT_TRUE(gone.hotkeys.empty());
}

std::vector<std::string> RowLines(const std::vector<ProbeResult>& rows)
{
    std::vector<std::string> lines;
    for (const ProbeResult& row : rows)
        lines.push_back((row.state == ProbeResult::State::Failed ? "failed " + row.error : row.comboText)
            + " | " + row.holder + " | " + row.action);
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(PowerToysSettings, EnabledModulesShortcutsAndGlobalRemaps)
{
    const WindowsCensusBackend backend;
    std::vector<std::string> lines = RowLines(PowerToysRows(ToolData(L"powertoys"), backend));
    EXPECT_EQ(16, Extract(lines, "| PowerToys Keyboard Manager | Remapped to Escape (in every combination)"));
    EXPECT_EQ(16,
        Extract(lines,
            "| PowerToys Keyboard Manager | Types \"\xC2\xAF\\_(\xE3\x83\x84)_/\xC2\xAF\" (in every "
            "combination)"));
    EXPECT_EQ((std::vector<std::string>{
                  "Ctrl+Alt+M | PowerToys Keyboard Manager | Remapped to Ctrl+C",
                  "Ctrl+Alt+S | PowerToys Keyboard Manager | Types \"Kind regards\"",
                  "Ctrl+Shift+Win+M | PowerToys Screen Ruler | Activation shortcut",
                  "Ctrl+Win+T | PowerToys Always On Top | Hotkey",
                  "Shift+Win+C | PowerToys Color Picker | Activation shortcut",
                  "Shift+Win+N | PowerToys Keyboard Manager | Runs C:\\Windows\\notepad.exe todo.txt",
              }),
        lines)
        << "a disabled module's shortcut, or a remap for one application, listed";
}

TEST(PowerToysSettings, SettingsThatCannotBeReadAreFailedRows)
{
    wchar_t temp[MAX_PATH];
    ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, temp));
    const std::wstring folder = std::wstring(temp) + L"keyvane-powertoys";
    const std::wstring manager = folder + L"\\Keyboard Manager";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW(manager.c_str(), nullptr);
    const WindowsCensusBackend backend;

    WriteFile(folder + L"\\settings.json", "{\"enabled\": {\"Keyboard Manager\": true,");
    std::vector<std::string> lines = RowLines(PowerToysRows(folder, backend));
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("parse error")) << lines[0];
    EXPECT_TRUE(lines[0].ends_with("| PowerToys | ")) << lines[0];

    WriteFile(folder + L"\\settings.json", "{\"enabled\": {\"Keyboard Manager\": true}}");
    WriteFile(manager + L"\\settings.json",
        "{\"properties\": {\"activeConfiguration\": {\"value\": \"..\\\\other\"}}}");
    lines = RowLines(PowerToysRows(folder, backend));
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(lines[0].starts_with("failed ")
        && lines[0].ends_with("an active configuration that is no name | "
                              "PowerToys Keyboard Manager | "))
        << lines[0];

    ::DeleteFileW((manager + L"\\settings.json").c_str());
    WriteFile(
        manager + L"\\default.json", "{\"remapShortcuts\": {\"global\": [{\"originalKeys\": \"17;x\"}]}}");
    lines = RowLines(PowerToysRows(folder, backend));
    ASSERT_EQ(1u, lines.size()) << "the default configuration, read without settings";
    EXPECT_NE(std::string::npos, lines[0].find("a key list that is not")) << lines[0];

    ::DeleteFileW((manager + L"\\default.json").c_str());
    ::DeleteFileW((folder + L"\\settings.json").c_str());
    ::RemoveDirectoryW(manager.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

} // namespace
