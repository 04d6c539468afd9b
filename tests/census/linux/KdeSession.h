#pragma once

#include "tests/census/linux/TemporaryFolder.h"
#include "tests/census/x11/ChildProcess.h"

#include <filesystem>
#include <memory>

// Debian's real kglobalaccel5 on a private session bus, with no display and a
// fresh copy of a kglobalshortcutsrc (the daemon rewrites its file when it
// ends). While it lives, this process's session bus is that one, in a session
// that names no desktop.
class KdeSession
{
public:
    enum class Daemon
    {
        running,
        frozen, // owns its bus name but answers nothing
        absent,
    };

    explicit KdeSession(const std::filesystem::path& shortcuts, Daemon daemon = Daemon::running);
    ~KdeSession();

    KdeSession(const KdeSession&) = delete;
    KdeSession& operator=(const KdeSession&) = delete;

    // False when the bus or the daemon did not come up.
    bool Ready() const { return m_ready; }

private:
    TemporaryFolder m_home;
    std::unique_ptr<ChildProcess> m_session;
    bool m_ready = false;
};
