#pragma once

#include <nlohmann/json.hpp>

#include <string_view>

// A daemon's JSON reply, its bytes that are not UTF-8 read as U+FFFD: one of
// them spoils a character, not the table. Throws std::runtime_error for text
// that is no JSON, with a message that quotes none of it.
nlohmann::json ParseJsonReply(std::string_view text);
