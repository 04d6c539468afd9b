#include "tests/census/x11/HeldGrabs.h"

#include <cstdio>
#include <string>

namespace {

std::vector<std::string> GrabberArguments(const std::vector<KeyGrab>& grabs)
{
    std::vector<std::string> arguments = {"x11_key_grabber"};
    for (const KeyGrab& grab : grabs) {
        char text[32];
        std::snprintf(text, sizeof text, "%x:%x", grab.modifiers, grab.keycode);
        arguments.push_back(text);
    }
    return arguments;
}

} // namespace

HeldGrabs::HeldGrabs(const std::vector<KeyGrab>& grabs)
    : m_client(GrabberArguments(grabs)), m_holding(m_client.ReadLine(std::chrono::seconds(10)) == "ready")
{
}

std::optional<KeyGrab> HeldGrabs::NextPress(std::chrono::milliseconds timeout)
{
    const std::optional<std::string> line = m_client.ReadLine(timeout);
    KeyGrab press{};
    if (!line || std::sscanf(line->c_str(), "pressed 0x%x:0x%x", &press.modifiers, &press.keycode) != 2)
        return std::nullopt;
    return press;
}

bool TypeKeys(const std::string& keys)
{
    ChildProcess xdotool({"/usr/bin/xdotool", "key", keys});
    return xdotool.Finish().status == 0;
}
