#include "census/windows/ShortcutTargets.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

using Microsoft::WRL::ComPtr;

namespace {

// Longer than any path or argument list the shell writes.
constexpr size_t kLongestText = 32768;

std::wstring Terminated(std::wstring text)
{
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

} // namespace

ShortcutTargets::ShortcutTargets()
    // The shell's link object lives in either threading model, and the
    // multithreaded one needs no apartment set up: it starts much faster. A
    // thread that runs COM already, in the other model, still lets us use it.
    : m_comStarted(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
{
    // One factory for every file spares a look-up of the class in the
    // registry for each; without it no target can be read.
    if (FAILED(::CoGetClassObject(CLSID_ShellLink, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&m_factory))))
        m_factory.Reset();
}

ShortcutTargets::~ShortcutTargets()
{
    // The factory goes before COM does.
    m_factory.Reset();
    if (m_comStarted)
        ::CoUninitialize();
}

std::wstring ShortcutTargets::Action(const std::wstring& path) const
{
    // A fresh object for each file, so that nothing of one file stays for the next.
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (!m_factory || FAILED(m_factory->CreateInstance(nullptr, IID_PPV_ARGS(&link)))
        || FAILED(link.As(&file)) || FAILED(file->Load(path.c_str(), STGM_READ)))
        return {};
    std::wstring target(kLongestText, L'\0');
    if (link->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0) != S_OK)
        return {};
    target = Terminated(std::move(target));
    std::wstring arguments(kLongestText, L'\0');
    if (FAILED(link->GetArguments(arguments.data(), static_cast<int>(arguments.size()))))
        arguments.clear();
    arguments = Terminated(std::move(arguments));
    // As a command line would write it, so that the arguments stand apart.
    if (target.find(L' ') != std::wstring::npos)
        target = L'"' + target + L'"';
    return arguments.empty() ? target : target + L' ' + arguments;
}
