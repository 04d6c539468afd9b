#pragma once

#include "tests/census/x11/ChildProcess.h"

#include <memory>
#include <string>
#include <vector>

// A private session bus (dbus-run-session) on which a shell script starts the
// daemons a test reads, with the given variables besides this process's
// own. While it lives, this process's session bus is that one.
class BusSession
{
public:
    // The script ends once the daemons it started are ready, their process
    // ids in $pids, or exits with an error when they did not come up.
    BusSession(const std::string& script, const std::vector<std::string>& variables);
    ~BusSession();

    BusSession(const BusSession&) = delete;
    BusSession& operator=(const BusSession&) = delete;

    bool Ready() const { return m_ready; }

private:
    std::unique_ptr<ChildProcess> m_session;
    bool m_ready = false;
};
