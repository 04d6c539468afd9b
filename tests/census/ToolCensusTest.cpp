// keyvane-census.exe against a running AutoHotkey script and PowerToys, each
// a stand-in process: a hidden window of class AutoHotkey titled with a
// fixture script's path, and a process named PowerToys.exe with the fixture
// settings where PowerToys keeps its own.
#include "census/core/Cli.h"
#include "win32/WideText.h"
#include "tests/census/CensusProgram.h"
#include "tests/census/FormatParsers.h"
#include "tests/census/ToolData.h"
#include "tests/support/StandInProcess.h"

#include <shlobj.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A copy of a folder's tree, removed again when the object goes.
class CopiedTree
{
public:
    CopiedTree(const std::wstring& from, std::wstring to) : m_path(std::move(to))
    {
        m_copied = ::GetFileAttributesW(m_path.c_str()) == INVALID_FILE_ATTRIBUTES
            && Operate(FO_COPY, from + L"\\*", m_path);
    }
    ~CopiedTree()
    {
        if (m_copied)
            Operate(FO_DELETE, m_path, L"");
    }

    CopiedTree(const CopiedTree&) = delete;
    CopiedTree& operator=(const CopiedTree&) = delete;

    bool Copied() const { return m_copied; }

private:
    static bool Operate(UINT operation, const std::wstring& from, const std::wstring& to)
    {
        // Lists of paths, each ended by a null, the list by another.
        const std::wstring fromList = from + L'\0';
        const std::wstring toList = to + L'\0';
        SHFILEOPSTRUCTW files{};
        files.wFunc = operation;
        files.pFrom = fromList.c_str();
        files.pTo = to.empty() ? nullptr : toList.c_str();
        files.fFlags = FOF_NO_UI;
        return ::SHFileOperationW(&files) == 0 && !files.fAnyOperationsAborted;
    }

    std::wstring m_path;
    bool m_copied = false;
};

std::wstring LocalAppData()
{
    wchar_t path[MAX_PATH];
    return SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path)) ? path : L"";
}

ParsedRecords ToolRows(const std::string& arguments, int expectedStatus)
{
    const ProgramRun run = RunCensusProgram(arguments + " --format tsv --source autohotkey,powertoys");
    EXPECT_EQ(expectedStatus, run.status) << arguments << "\n" << run.out << run.err;
    ParsedRecords rows;
    for (const ParsedRecord& record : ParseTsv(run.out))
        rows.push_back(Only(record, {"combination", "state", "source", "holder", "action"}));
    return rows;
}

bool Has(const ParsedRecords& rows, const ParsedRecord& row)
{
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

TEST(ToolCensus, ListsAndChecksARunningScriptAndPowerToysUntilTheyEnd)
{
    const std::wstring localAppData = LocalAppData();
    ASSERT_FALSE(localAppData.empty());
    const CopiedTree settings(ToolData(L"powertoys"), localAppData + L"\\Microsoft\\PowerToys");
    ASSERT_TRUE(settings.Copied()) << "PowerToys' settings folder exists already, or the copy failed";
    const std::wstring script = ToolData(L"autohotkey\\kv keys.ahk");
    const std::string holder = Utf8FromWide(script) + ":8";
    const ParsedRecord scriptRow{{"combination", "Ctrl+Alt+J"}, {"state", "taken"}, {"source", "autohotkey"},
        {"holder", holder}, {"action", "Run \"notepad.exe\""}};
    const ParsedRecord powerToysRow{{"combination", "Ctrl+Alt+M"}, {"state", "taken"},
        {"source", "powertoys"}, {"holder", "PowerToys Keyboard Manager"}, {"action", "Remapped to Ctrl+C"}};
    {
        const StandInProcess running(L"tool_standin.exe", L"\"" + script + L" - AutoHotkey v2.0.18\"");
        const StandInProcess powerToys(L"PowerToys.exe", L"");
        ASSERT_TRUE(running.Ready() && powerToys.Ready());

        const ParsedRecords listed = ToolRows("list", kExitSuccess);
        EXPECT_TRUE(Has(listed, scriptRow) && Has(listed, powerToysRow)) << listed.size() << " rows";
        EXPECT_EQ((ParsedRecords{powerToysRow}), ToolRows("check Ctrl+Alt+M", kExitTaken));
        EXPECT_EQ((ParsedRecords{scriptRow}), ToolRows("check Ctrl+Alt+J", kExitTaken));
    }
    EXPECT_EQ(0u, ToolRows("list", kExitSuccess).size()) << "rows of tools no longer running";
}

} // namespace
