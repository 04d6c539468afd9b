#pragma once

#include <windows.h>

#include <string>

// A shortcut file written through the shell's IShellLinkW and
// IPersistFile::Save, as a user's shortcut is; deleted when the object goes.
class ShortcutFile
{
public:
    ShortcutFile(std::wstring path, const std::wstring& target, const std::wstring& arguments, WORD hotkey);
    ~ShortcutFile() { Remove(); }

    ShortcutFile(const ShortcutFile&) = delete;
    ShortcutFile& operator=(const ShortcutFile&) = delete;

    // Whether the shell wrote it; what went wrong otherwise.
    bool Written() const { return m_failure.empty(); }
    const std::string& Failure() const { return m_failure; }
    const std::wstring& Path() const { return m_path; }

    void Remove();

private:
    std::wstring m_path;
    std::string m_failure;
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
