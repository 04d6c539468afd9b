#include "tests/census/linux/SwaySession.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Sway with its debug log, which names every binding it makes; ready once its
// socket is there, then the socket's path for the test;
// the end of the test's pipe ends sway.
constexpr const char* kScript = R"(
sway -d -c "$1" >"$HOME/sway.log" 2>&1 & sway=$!
for attempt in $(seq 200); do
    for socket in "$XDG_RUNTIME_DIR"/sway-ipc.*.sock; do
        [ -S "$socket" ] && break 2
    done
    sleep 0.1
done
[ -S "$socket" ] && echo "$socket"
read _
kill $sway
wait $sway
)";

constexpr std::chrono::seconds kStartTimeout{30};
constexpr uid_t kNobody = 65534;

} // namespace

SwaySession::SwaySession(const std::filesystem::path& config)
{
    const std::filesystem::path runtime = m_home.Path() / "runtime";
    std::filesystem::create_directory(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    std::filesystem::copy_file(config, m_home.Path() / "config");

    std::vector<std::string> command
        = {"/bin/sh", "-c", kScript, "sway-session", (m_home.Path() / "config").string()};
    if (geteuid() == 0) {
        for (const std::filesystem::path& path : {m_home.Path(), runtime, m_home.Path() / "config"}) {
            if (chown(path.c_str(), kNobody, kNobody) != 0)
                return;
        }
        command.insert(command.begin(),
            {"/usr/bin/setpriv", "--reuid=" + std::to_string(kNobody), "--regid=" + std::to_string(kNobody),
                "--clear-groups"});
    }
    m_sway = std::make_unique<ChildProcess>(command,
        std::vector<std::string>{"PATH=/usr/bin:/bin", "HOME=" + m_home.Path().string(),
            "XDG_RUNTIME_DIR=" + runtime.string(), "WLR_BACKENDS=headless", "WLR_RENDERER=pixman",
            "WLR_LIBINPUT_NO_DEVICES=1"});
    m_socket = m_sway->ReadLine(kStartTimeout).value_or("");
    if (!m_socket.empty())
        setenv("SWAYSOCK", m_socket.c_str(), 1);
}

SwaySession::~SwaySession()
{
    unsetenv("SWAYSOCK");
    m_sway.reset();
}

std::string SwaySession::Log() const
{
    std::ostringstream log;
    log << std::ifstream(m_home.Path() / "sway.log").rdbuf();
    return log.str();
}
