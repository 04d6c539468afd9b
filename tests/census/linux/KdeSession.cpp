#include "tests/census/linux/KdeSession.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>

namespace {

// Started by dbus-run-session: the daemon, ready once it owns its name, then
// the bus's address for the test; the end of the test's pipe ends both.
constexpr const char* kScript = R"(
if [ "$1" != absent ]; then
    # Its warnings would fill the pipe that nobody reads while the test runs.
    kglobalaccel5 >"$HOME/kglobalaccel5.log" 2>&1 & daemon=$!
    gdbus wait --session --timeout 20 org.kde.kglobalaccel || exit 1
    [ "$1" = frozen ] && kill -STOP $daemon
fi
echo "$DBUS_SESSION_BUS_ADDRESS"
read _
if [ -n "$daemon" ]; then
    kill -CONT $daemon
    kill $daemon
    wait $daemon
fi
)";

constexpr std::chrono::seconds kStartTimeout{30};

// The script's argument for each KdeSession::Daemon.
constexpr const char* kDaemonArguments[] = {"running", "frozen", "absent"};

} // namespace

KdeSession::KdeSession(const std::filesystem::path& shortcuts, Daemon daemon)
{
    const std::filesystem::path config = m_home.Path() / "config";
    const std::filesystem::path runtime = m_home.Path() / "runtime";
    std::filesystem::create_directories(config);
    std::filesystem::create_directory(runtime);
    chmod(runtime.c_str(), 0700);
    std::filesystem::copy_file(shortcuts, config / "kglobalshortcutsrc");

    m_session = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/dbus-run-session", "--", "/bin/sh", "-c", kScript, "kde-session",
            kDaemonArguments[static_cast<int>(daemon)]},
        EnvironmentWithout({"DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "HOME",
                               "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_CURRENT_DESKTOP"},
            {"QT_QPA_PLATFORM=offscreen", "HOME=" + m_home.Path().string(),
                "XDG_CONFIG_HOME=" + config.string(), "XDG_RUNTIME_DIR=" + runtime.string()}));
    const std::optional<std::string> address = m_session->ReadLine(kStartTimeout);
    m_ready = address && !address->empty();
    if (m_ready)
        setenv("DBUS_SESSION_BUS_ADDRESS", address->c_str(), 1);
    // Only the bus may tell whether KDE's daemon is there.
    unsetenv("XDG_CURRENT_DESKTOP");
}

KdeSession::~KdeSession()
{
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    m_session.reset();
}
