#include "census/x11/DisplayProbeLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

namespace {

// A full census takes a fraction of a second: a lock held longer than this
// belongs to a probe that is stuck.
constexpr std::chrono::seconds kPatience(10);
constexpr std::chrono::milliseconds kRetryPause(10);

// ":0.1" and ":0" are one display: the screen is left out.
std::string DisplayKey(Display* display)
{
    std::string name = DisplayString(display);
    const size_t colon = name.rfind(':');
    const size_t dot = name.find('.', colon == std::string::npos ? 0 : colon);
    if (dot != std::string::npos)
        name.erase(dot);
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    return name;
}

// In the user's own runtime directory where there is one; in /tmp the user's
// id keeps users apart.
std::string LockPath(Display* display)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string directory = runtime && runtime[0] == '/' ? runtime : "/tmp";
    return directory + "/keyvane-census-" + std::to_string(geteuid()) + "-" + DisplayKey(display) + ".lock";
}

[[noreturn]] void Fail(const std::string& what, int error)
{
    throw std::runtime_error(what + ": " + std::system_category().message(error));
}

} // namespace

DisplayProbeLock::DisplayProbeLock(Display* display)
{
    const std::string path = LockPath(display);
    m_file = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_file < 0)
        Fail("cannot open the probe lock " + path, errno);
    // Someone else's file there could be held forever to stop every census.
    struct stat status = {};
    if (fstat(m_file, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != geteuid()) {
        close(m_file);
        throw std::runtime_error("the probe lock " + path + " is not a file of this user's");
    }
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (flock(m_file, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            close(m_file);
            if (error == EWOULDBLOCK)
                throw std::runtime_error("another census has been probing this display for "
                    + std::to_string(kPatience.count()) + " seconds; try again later");
            Fail("cannot take the probe lock " + path, error);
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

DisplayProbeLock::~DisplayProbeLock()
{
    // Closing the file lets go of the lock.
    close(m_file);
}
