#include "tests/census/ShortcutFile.h"

#include <objidl.h>
#include <shlobj.h>
#include <wrl/client.h>

ShortcutFile::ShortcutFile(
    std::wstring path, const std::wstring& target, const std::wstring& arguments, WORD hotkey)
    : m_path(std::move(path))
{
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    Microsoft::WRL::ComPtr<IPersistFile> file;
    m_written
        = SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))
        && SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link->SetArguments(arguments.c_str()))
        && SUCCEEDED(link->SetHotkey(hotkey)) && SUCCEEDED(link.As(&file))
        && SUCCEEDED(file->Save(m_path.c_str(), TRUE));
    link.Reset();
    file.Reset();
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

ShortcutFile::~ShortcutFile() { ::DeleteFileW(m_path.c_str()); }

std::wstring ShellFolder(int csidl)
{
    wchar_t path[MAX_PATH];
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}
