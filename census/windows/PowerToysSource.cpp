#include "census/windows/PowerToysSource.h"

#include "census/windows/FileBytes.h"
#include "census/windows/PowerToysSettings.h"
#include "census/windows/WindowsKeys.h"
#include "win32/WideText.h"
#include "win32/UniqueHandle.h"

#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <exception>
#include <memory>

namespace {

constexpr wchar_t kProgram[] = L"PowerToys.exe";
constexpr wchar_t kSettingsBelowLocalAppData[] = L"\\Microsoft\\PowerToys";
constexpr wchar_t kSettingsFile[] = L"settings.json";
constexpr char kHolderPrefix[] = "PowerToys ";
constexpr char kKeyboardManager[] = "Keyboard Manager";

std::wstring LocalAppData()
{
    wchar_t* path = nullptr;
    const HRESULT located = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path);
    const std::unique_ptr<wchar_t, decltype(&::CoTaskMemFree)> owned(path, ::CoTaskMemFree);
    return SUCCEEDED(located) ? std::wstring(path) : std::wstring();
}

// The rows of one settings file, or the row saying why it could not be read;
// nothing for a file that is not there (a module never configured). False
// when the file is there but could not be read.
template <class Read>
bool AddFileRows(const std::wstring& path, const std::string& holder, Read read,
    std::vector<ProbeResult>& rows, const CensusBackend& platform)
{
    const FileBytes file = ReadFileBytes(path);
    if (!file.read) {
        if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return true;
        rows.push_back(UnreadRow(holder, "cannot read " + Utf8FromWide(path) + ": " + file.error));
        return false;
    }
    try {
        for (const PowerToysShortcut& shortcut : read(file.bytes)) {
            for (const Combination& combo : shortcut.combos)
                rows.push_back(TakenRow(platform, combo, holder, shortcut.action));
        }
    } catch (const std::exception& error) {
        rows.push_back(UnreadRow(holder, Utf8FromWide(path) + ": " + error.what()));
        return false;
    }
    return true;
}

} // namespace

bool ProgramRuns(const wchar_t* program)
{
    const UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (::CompareStringOrdinal(entry.szExeFile, -1, program, -1, TRUE) == CSTR_EQUAL)
            return true;
    }
    return false;
}

std::vector<ProbeResult> PowerToysRows(const std::wstring& folder, const CensusBackend& platform)
{
    const std::wstring generalPath = folder + L"\\" + kSettingsFile;
    const FileBytes general = ReadFileBytes(generalPath);
    if (!general.read)
        return {UnreadRow("PowerToys", "cannot read " + Utf8FromWide(generalPath) + ": " + general.error)};
    std::vector<PowerToysModule> modules;
    try {
        modules = EnabledPowerToysModules(general.bytes);
    } catch (const std::exception& error) {
        return {UnreadRow("PowerToys", Utf8FromWide(generalPath) + ": " + error.what())};
    }
    std::vector<ProbeResult> rows;
    for (const PowerToysModule& module : modules) {
        const std::wstring moduleFolder = folder + L"\\" + WideFromUtf8(module.folder);
        const std::wstring settings = moduleFolder + L"\\" + kSettingsFile;
        const std::string holder = kHolderPrefix + module.name;
        // Settings that could not be read said so in a row of their own.
        if (!AddFileRows(settings, holder, ModuleShortcuts, rows, platform) || module.key != kKeyboardManager)
            continue;
        const FileBytes managerSettings = ReadFileBytes(settings);
        std::string configuration;
        try {
            configuration = ActiveKeyboardConfiguration(managerSettings.read ? managerSettings.bytes : "{}");
        } catch (const std::exception& error) {
            rows.push_back(UnreadRow(holder, Utf8FromWide(settings) + ": " + error.what()));
            continue;
        }
        const auto remaps = [](std::string_view text) { return KeyboardManagerRemaps(text, WindowsKeyText); };
        AddFileRows(
            moduleFolder + L"\\" + WideFromUtf8(configuration) + L".json", holder, remaps, rows, platform);
    }
    return rows;
}

std::vector<ProbeResult> PowerToysSource::Census()
{
    // PowerToys acts on its settings only while it runs.
    if (!ProgramRuns(kProgram))
        return {};
    const std::wstring localAppData = LocalAppData();
    if (localAppData.empty())
        return {UnreadRow("PowerToys", "the system names no local application data folder")};
    return PowerToysRows(localAppData + kSettingsBelowLocalAppData, Platform());
}
