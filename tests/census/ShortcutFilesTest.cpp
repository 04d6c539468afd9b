// The shortcut file reader against files that Wine's shell wrote.
#include "census/windows/ShortcutFiles.h"
#include "census/windows/ShortcutSource.h"
#include "census/windows/ShortcutTargets.h"

#include <commctrl.h>
#include <objidl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

// The test data beside the test program.
std::wstring DataFile(const wchar_t* name)
{
    wchar_t program[MAX_PATH];
    const std::wstring path(program, ::GetModuleFileNameW(nullptr, program, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"shortcut-data\\" + name;
}

std::string Bytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The hotkey as the shell itself reads it.
WORD ShellHotkey(const std::wstring& path)
{
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    Microsoft::WRL::ComPtr<IPersistFile> file;
    WORD hotkey = 0xFFFF;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))
        && SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(path.c_str(), STGM_READ)))
        link->GetHotkey(&hotkey);
    return hotkey;
}

TEST(ShortcutFiles, ReadsTheHotkeyAndTargetTheShellWrote)
{
    const struct
    {
        const wchar_t* name;
        WORD hotkey;
        const wchar_t* action;
    } files[] = {
        {L"ctrl-alt-k.lnk", MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT),
            L"C:\\windows\\notepad.exe readme.txt"},
        {L"shift-ext-f12.lnk", MAKEWORD(VK_F12, HOTKEYF_SHIFT | HOTKEYF_EXT),
            L"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\""},
        {L"no-hotkey.lnk", 0, L"C:\\windows\\system32\\winver.exe"},
    };
    const ShortcutTargets targets;
    for (const auto& file : files) {
        const std::wstring path = DataFile(file.name);
        EXPECT_EQ(std::optional<WORD>(file.hotkey), ReadShortcutHotkey(path)) << path.c_str();
        EXPECT_EQ(file.hotkey, ShellHotkey(path)) << "the shell reads another hotkey from " << path.c_str();
        EXPECT_EQ(file.action, targets.Action(path));
    }
}

TEST(ShortcutFiles, AnythingButAWholeShortcutHeaderIsNoShortcut)
{
    const std::string real = Bytes(DataFile(L"ctrl-alt-k.lnk"));
    ASSERT_GT(real.size(), 0x4Cu);
    const auto header = [](std::string bytes) {
        return ShortcutHotkeyIn(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(std::optional<WORD>(0x064B), header(real.substr(0, 0x4C))) << "the header alone is enough";
    EXPECT_EQ(std::nullopt, header(real.substr(0, 0x4B)));
    EXPECT_EQ(std::nullopt, header(""));
    std::string otherClass = real;
    otherClass[0x13] = 0x47;
    EXPECT_EQ(std::nullopt, header(otherClass));
    std::string otherSize = real;
    otherSize[0] = 0x4D;
    EXPECT_EQ(std::nullopt, header(otherSize));
    EXPECT_EQ(std::nullopt, header(std::string(0x4C, 'L') + "nk text"));

    wchar_t folder[MAX_PATH];
    ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, folder));
    const std::wstring truncated = std::wstring(folder) + L"keyvane-truncated.lnk";
    std::ofstream(truncated.c_str(), std::ios::binary) << real.substr(0, 0x41);
    EXPECT_EQ(std::nullopt, ReadShortcutHotkey(truncated));
    ::DeleteFileW(truncated.c_str());
    EXPECT_EQ(std::nullopt, ReadShortcutHotkey(truncated)) << "a missing file";
    EXPECT_EQ(std::nullopt, ReadShortcutHotkey(folder)) << "a folder";
}

TEST(ShortcutFiles, HotkeyFlagsMapOntoTheCombination)
{
    EXPECT_EQ((Combination{'K', kModCtrl | kModAlt | kModShift}),
        ShortcutCombination(MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT | HOTKEYF_EXT)));
    EXPECT_EQ((Combination{VK_F12, 0}), ShortcutCombination(VK_F12));
    EXPECT_EQ(std::nullopt, ShortcutCombination(MAKEWORD(0, HOTKEYF_CONTROL))) << "no key";
}

} // namespace
