#include "tests/census/linux/BusSession.h"

#include <chrono>
#include <cstdlib>

namespace {

// After the test's own script: the bus's address for the test; the end of
// the test's pipe ends the daemons whose ids the script put in $pids.
constexpr const char* kEnding = R"(
echo "$DBUS_SESSION_BUS_ADDRESS"
read _
[ -n "$pids" ] && kill $pids
wait
)";

constexpr std::chrono::seconds kStartTimeout{30};

} // namespace

BusSession::BusSession(const std::string& script, const std::vector<std::string>& variables)
{
    std::vector<std::string> replaced = {"DBUS_SESSION_BUS_ADDRESS"};
    for (const std::string& variable : variables)
        replaced.push_back(variable.substr(0, variable.find('=')));
    m_session = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/dbus-run-session", "--", "/bin/sh", "-c", script + kEnding},
        EnvironmentWithout(replaced, variables));
    const std::optional<std::string> address = m_session->ReadLine(kStartTimeout);
    m_ready = address && address->starts_with("unix:");
    if (m_ready)
        setenv("DBUS_SESSION_BUS_ADDRESS", address->c_str(), 1);
}

BusSession::~BusSession()
{
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    m_session.reset();
}
