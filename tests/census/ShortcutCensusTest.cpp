// keyvane-census.exe against shortcut files with hotkeys that the shell wrote
// where Explorer acts on them.
#include "census/core/Cli.h"
#include "tests/census/CensusProgram.h"
#include "tests/census/FormatParsers.h"
#include "tests/census/ShortcutFile.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

// The folders the shell gives are plain ASCII under Wine; the test's own
// names carry what lies beyond.
std::string Ascii(const std::wstring& text)
{
    std::string ascii;
    for (wchar_t c : text)
        ascii += c < 0x80 ? static_cast<char>(c) : '?';
    return ascii;
}

ParsedRecords ShortcutRows(const std::string& arguments, int expectedStatus)
{
    const ProgramRun run = RunCensusProgram(arguments);
    EXPECT_EQ(expectedStatus, run.status) << arguments << "\n" << run.out << run.err;
    ParsedRecords rows;
    for (const ParsedRecord& record : ParseTsv(run.out)) {
        const ParsedRecord origin = Only(record, {"combination", "state", "source", "holder", "action"});
        if (origin[2].second == "shortcut")
            rows.push_back(origin);
    }
    return rows;
}

TEST(ShortcutCensus, ListsAndChecksTheHotkeysOfShortcutsUntilTheyAreGone)
{
    const std::wstring programs = ShellFolder(CSIDL_PROGRAMS);
    const std::wstring desktop = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
    ASSERT_FALSE(programs.empty() || desktop.empty()) << "the shell names no Start menu or public Desktop";
    const TestFolder startMenuFolder(programs + L"\\Keyvane T\u00e9st");
    const TestFolder desktopFolder(desktop + L"\\Keyvane Test");
    {
        const ShortcutFile inStartMenu(startMenuFolder / L"N\u00f6tes.lnk", L"C:\\windows\\notepad.exe",
            L"/p today.txt", MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_ALT));
        const ShortcutFile onDesktop(desktop + L"\\Keyvane Winver.lnk", L"C:\\windows\\system32\\winver.exe",
            L"", MAKEWORD('V', HOTKEYF_ALT | HOTKEYF_SHIFT));
        // Explorer honours the Desktop's top level alone.
        const ShortcutFile belowDesktop(desktopFolder / L"Ignored.lnk", L"C:\\windows\\system32\\winver.exe",
            L"", MAKEWORD(VK_F10, HOTKEYF_CONTROL | HOTKEYF_SHIFT));
        ASSERT_TRUE(inStartMenu.Written() && onDesktop.Written() && belowDesktop.Written());

        EXPECT_EQ((ParsedRecords{
                      {{"combination", "Alt+Shift+V"}, {"state", "taken"}, {"source", "shortcut"},
                          {"holder", Ascii(desktop) + "\\Keyvane Winver.lnk"},
                          {"action", "C:\\windows\\system32\\winver.exe"}},
                      {{"combination", "Ctrl+Alt+F11"}, {"state", "taken"}, {"source", "shortcut"},
                          {"holder", Ascii(programs) + "\\Keyvane T\xC3\xA9st\\N\xC3\xB6tes.lnk"},
                          {"action", "C:\\windows\\notepad.exe /p today.txt"}},
                  }),
            ShortcutRows("list --format tsv", kExitSuccess));
        EXPECT_EQ(1u, ShortcutRows("check --format tsv Ctrl+Alt+F11", kExitTaken).size());
        EXPECT_EQ(0u, ShortcutRows("check --format tsv Ctrl+Shift+F10", kExitSuccess).size());
    }
    EXPECT_EQ(0u, ShortcutRows("list --format tsv", kExitSuccess).size());
    EXPECT_EQ(0u, ShortcutRows("check --format tsv Ctrl+Alt+F11 Alt+Shift+V", kExitSuccess).size());
}

} // namespace
