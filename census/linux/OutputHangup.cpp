#include "census/linux/OutputHangup.h"

#include <poll.h>

#include <cerrno>
#include <thread>

bool WaitWhileRead(int descriptor, std::chrono::milliseconds time)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + time;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return true;
        // No event asked for: poll reports an error or a hang-up all the same,
        // and a writable pipe does not end the wait.
        pollfd output{descriptor, 0, 0};
        const int ready = poll(&output, 1, static_cast<int>(left.count()));
        if (ready > 0)
            return (output.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0;
        if (ready < 0 && errno != EINTR) {
            // Cannot tell: the wait is all there is to do.
            std::this_thread::sleep_for(left);
            return true;
        }
    }
}
