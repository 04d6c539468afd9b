#include "census/windows/ShortcutFiles.h"

#include "win32/UniqueHandle.h"

#include <shlobj.h>

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr size_t kHeaderSize = 0x4C;
constexpr size_t kClassIdOffset = 0x04;
constexpr size_t kHotkeyOffset = 0x40;
// {00021401-0000-0000-C000-000000000046} as it is stored: the first three
// parts little-endian.
constexpr std::array<BYTE, 16> kShellLinkClassId
    = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr wchar_t kShortcutExtension[] = L".lnk";

struct TaskMemoryFree
{
    void operator()(wchar_t* memory) const { ::CoTaskMemFree(memory); }
};

// Where Explorer acts on the hotkeys of shortcut files.
struct Place
{
    const KNOWNFOLDERID* folder;
    bool withSubfolders;
};
const std::array<Place, 4> kPlaces = {{
    {&FOLDERID_StartMenu, true},
    {&FOLDERID_CommonStartMenu, true},
    {&FOLDERID_Desktop, false},
    {&FOLDERID_PublicDesktop, false},
}};

unsigned LittleEndian(const BYTE* bytes, size_t count)
{
    unsigned value = 0;
    for (size_t i = count; i-- > 0;)
        value = value << 8 | bytes[i];
    return value;
}

bool IsShortcutName(const std::wstring& name)
{
    const int extension = static_cast<int>(std::size(kShortcutExtension) - 1);
    const int length = static_cast<int>(name.size());
    return length > extension
        && ::CompareStringOrdinal(
               name.c_str() + length - extension, extension, kShortcutExtension, extension, TRUE)
        == CSTR_EQUAL;
}

void Walk(const std::wstring& folder, bool withSubfolders, std::vector<ShortcutHotkey>& found)
{
    WIN32_FIND_DATAW entry;
    const UniqueFind find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry,
        FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (find.get() == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        const std::wstring path = folder + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A junction may lead back up the tree, and the walk would never end.
            const bool below = name != L"." && name != L"..";
            if (withSubfolders && below && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                Walk(path, true, found);
        } else if (IsShortcutName(name)) {
            const std::optional<WORD> hotkey = ReadShortcutHotkey(path);
            if (hotkey && *hotkey)
                found.push_back({path, *hotkey});
        }
    } while (::FindNextFileW(find.get(), &entry));
}

} // namespace

std::optional<WORD> ShortcutHotkeyIn(const BYTE* header, size_t size)
{
    if (size < kHeaderSize || LittleEndian(header, 4) != kHeaderSize
        || !std::equal(kShellLinkClassId.begin(), kShellLinkClassId.end(), header + kClassIdOffset))
        return std::nullopt;
    return static_cast<WORD>(LittleEndian(header + kHotkeyOffset, 2));
}

std::optional<WORD> ReadShortcutHotkey(const std::wstring& path)
{
    const UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A pipe or device behind the name could keep the read waiting for ever.
    if (file.get() == INVALID_HANDLE_VALUE || ::GetFileType(file.get()) != FILE_TYPE_DISK)
        return std::nullopt;
    std::array<BYTE, kHeaderSize> header;
    DWORD read = 0;
    if (!::ReadFile(file.get(), header.data(), static_cast<DWORD>(header.size()), &read, nullptr))
        return std::nullopt;
    return ShortcutHotkeyIn(header.data(), read);
}

std::vector<ShortcutHotkey> FindShortcutHotkeys()
{
    std::vector<ShortcutHotkey> found;
    for (const Place& place : kPlaces) {
        wchar_t* path = nullptr;
        const HRESULT located = ::SHGetKnownFolderPath(*place.folder, 0, nullptr, &path);
        // Freed whether the call succeeded or not, as the documentation asks.
        const std::unique_ptr<wchar_t, TaskMemoryFree> owned(path);
        if (SUCCEEDED(located))
            Walk(path, place.withSubfolders, found);
    }
    return found;
}
