#include "tests/census/ShortcutFile.h"

#include <objidl.h>
#include <shlobj.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

std::string Failed(const char* what, HRESULT result)
{
    return std::string(what) + " failed: 0x" + std::to_string(static_cast<unsigned long>(result));
}

std::string Write(
    const std::wstring& path, const std::wstring& target, const std::wstring& arguments, WORD hotkey)
{
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
    if (FAILED(result))
        return Failed("CoCreateInstance(CLSID_ShellLink)", result);
    if (FAILED(result = link->SetPath(target.c_str())))
        return Failed("SetPath", result);
    if (FAILED(result = link->SetArguments(arguments.c_str())))
        return Failed("SetArguments", result);
    if (FAILED(result = link->SetHotkey(hotkey)))
        return Failed("SetHotkey", result);
    if (FAILED(result = link.As(&file)))
        return Failed("QueryInterface(IPersistFile)", result);
    if (FAILED(result = file->Save(path.c_str(), TRUE)))
        return Failed("IPersistFile::Save", result);
    return {};
}

} // namespace

ShortcutFile::ShortcutFile(
    std::wstring path, const std::wstring& target, const std::wstring& arguments, WORD hotkey)
    : m_path(std::move(path))
{
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    m_failure = Write(m_path, target, arguments, hotkey);
    if (SUCCEEDED(com))
        ::CoUninitialize();
}

void ShortcutFile::Remove()
{
    if (!m_path.empty())
        ::DeleteFileW(m_path.c_str());
    m_path.clear();
}

std::wstring ShellFolder(int csidl)
{
    wchar_t path[MAX_PATH];
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return path;
}
