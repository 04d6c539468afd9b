#include "tests/census/linux/I3Session.h"

#include <chrono>

namespace {

// Xvfb on a free display, i3 on it; then the display and i3's socket, as i3
// itself finds it on the root window. The end of the test's pipe ends both.
// i3 looks for relative includes in its working folder. Without -noreset the
// server resets when its first client, a look for the socket that may come
// before i3, leaves, and refuses i3 while it does.
constexpr const char* kScript = R"(
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$HOME/display" >/dev/null 2>&1 & xvfb=$!
for attempt in $(seq 400); do [ -s "$HOME/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$HOME/display")
cd "$1"
i3 -c config >"$HOME/i3.log" 2>&1 & i3=$!
for attempt in $(seq 200); do
    socket=$(i3 --get-socketpath 2>/dev/null) && [ -S "$socket" ] && break
    sleep 0.05
done
[ -S "$socket" ] && echo "$DISPLAY $socket"
read _
kill $i3 $xvfb
wait
)";

constexpr std::chrono::seconds kStartTimeout{30};

} // namespace

I3Session::I3Session(const std::filesystem::path& configFolder)
{
    m_i3 = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/bin/sh", "-c", kScript, "i3-session", configFolder.string()},
        std::vector<std::string>{"PATH=/usr/bin:/bin", "HOME=" + m_home.Path().string(),
            "XDG_RUNTIME_DIR=" + m_home.Path().string()});
    const std::string line = m_i3->ReadLine(kStartTimeout).value_or("");
    const size_t space = line.find(' ');
    if (space == std::string::npos)
        return;
    m_display = line.substr(0, space);
    m_socket = line.substr(space + 1);
}

I3Session::~I3Session() { m_i3.reset(); }
