#pragma once

#include "tests/census/linux/TemporaryFolder.h"
#include "tests/census/x11/ChildProcess.h"

#include <filesystem>
#include <memory>
#include <string>

// Debian's real i3 on an Xvfb display of its own, on a configuration folder's
// "config", started in that folder with a home folder of its own.
class I3Session
{
public:
    explicit I3Session(const std::filesystem::path& configFolder);
    ~I3Session();

    I3Session(const I3Session&) = delete;
    I3Session& operator=(const I3Session&) = delete;

    // Empty when i3 did not come up.
    const std::string& Display() const { return m_display; }
    const std::string& Socket() const { return m_socket; }
    std::filesystem::path Home() const { return m_home.Path(); }

private:
    TemporaryFolder m_home;
    std::unique_ptr<ChildProcess> m_i3;
    std::string m_display;
    std::string m_socket;
};
