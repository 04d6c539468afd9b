#pragma once

#include "tests/census/linux/TemporaryFolder.h"
#include "tests/census/x11/ChildProcess.h"

#include <filesystem>
#include <memory>
#include <string>

// Debian's real sway, headless and without input devices, on a configuration
// file. Sway refuses to run as root, so under root it runs as nobody. While it
// lives, SWAYSOCK names its socket.
class SwaySession
{
public:
    explicit SwaySession(const std::filesystem::path& config);
    ~SwaySession();

    SwaySession(const SwaySession&) = delete;
    SwaySession& operator=(const SwaySession&) = delete;

    // Empty when sway did not come up.
    const std::string& Socket() const { return m_socket; }

    // What sway has logged so far, at debug level.
    std::string Log() const;

private:
    TemporaryFolder m_home;
    std::unique_ptr<ChildProcess> m_sway;
    std::string m_socket;
};
