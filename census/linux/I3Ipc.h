#pragma once

#include "census/linux/Deadline.h"

#include <nlohmann/json.hpp>

#include <string>

// The reply of the window manager at that socket to GET_CONFIG, over the IPC
// that i3 and sway share, read as ParseJsonReply does; an object with a
// "config" text. Throws std::runtime_error, with a message that quotes
// nothing of the reply.
nlohmann::json RequestConfig(const std::string& socketPath, const Deadline& deadline);
