#pragma once

#include <windows.h>

#include <string>

// A shortcut file written through the shell's IShellLinkW and
// IPersistFile::Save, as a user's shortcut is; deleted when the object goes.
class ShortcutFile
{
public:
    ShortcutFile(std::wstring path, const std::wstring& target, const std::wstring& arguments, WORD hotkey);
    ~ShortcutFile();

    ShortcutFile(const ShortcutFile&) = delete;
    ShortcutFile& operator=(const ShortcutFile&) = delete;

    bool Written() const { return m_written; }

private:
    std::wstring m_path;
    bool m_written;
};

// A folder of the caller's own, removed again once it is empty.
class TestFolder
{
public:
    explicit TestFolder(std::wstring path) : m_path(std::move(path))
    {
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TestFolder() { ::RemoveDirectoryW(m_path.c_str()); }

    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

// The folder the shell names for a CSIDL_* value, or empty.
std::wstring ShellFolder(int csidl);
