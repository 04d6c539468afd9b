#pragma once

#include "census/x11/KeyGrabs.h"
#include "tests/census/x11/ChildProcess.h"

#include <chrono>
#include <optional>
#include <vector>

// Another X client that holds key grabs on the root window for as long as
// this object lives, and tells which of its keys were pressed.
class HeldGrabs
{
public:
    explicit HeldGrabs(const std::vector<KeyGrab>& grabs);

    // False when the client could not take all its grabs.
    bool Holding() const { return m_holding; }

    // As the census names the client: "x11_key_grabber (812)".
    std::string Name() const { return "x11_key_grabber (" + std::to_string(m_client.Pid()) + ")"; }

    // The next grabbed key press the client received, within the timeout.
    std::optional<KeyGrab> NextPress(std::chrono::milliseconds timeout = std::chrono::seconds(5));

private:
    ChildProcess m_client;
    bool m_holding;
};

// Sends key presses as a person would type them, through the X server:
// xdotool key names such as "ctrl+alt+k". False when xdotool fails.
bool TypeKeys(const std::string& keys);
