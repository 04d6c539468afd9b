#include "census/linux/SwayShortcuts.h"

#include "census/linux/I3Ipc.h"
#include "census/linux/SwayConfig.h"

#include <cstdlib>
#include <stdexcept>

DesktopReading ReadSwayShortcuts(std::chrono::milliseconds timeout)
{
    const char* path = std::getenv("SWAYSOCK");
    if (!path || !*path)
        return {{}, "sway: SWAYSOCK is not set"};
    try {
        return {SwayBindings(RequestConfig(path, Deadline(timeout))["config"].get<std::string>()), {}};
    } catch (const std::exception& error) {
        return {{}, std::string("sway: ") + error.what()};
    }
}
