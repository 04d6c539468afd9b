#pragma once

#include <windows.h>

#include <unknwn.h>
#include <wrl/client.h>

#include <string>

// Reads what shortcut files start, through the shell's own reader, for as
// long as it lives: COM is set up on this thread meanwhile.
class ShortcutTargets
{
public:
    ShortcutTargets();
    ~ShortcutTargets();

    ShortcutTargets(const ShortcutTargets&) = delete;
    ShortcutTargets& operator=(const ShortcutTargets&) = delete;

    // The shortcut's target with its arguments, as a command line; empty where
    // the shell cannot tell (a file it does not read, a target that is no path).
    std::wstring Action(const std::wstring& path) const;

private:
    bool m_comStarted; // this object started COM on the thread, and ends it
    Microsoft::WRL::ComPtr<IClassFactory> m_factory;
};
