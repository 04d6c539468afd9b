#include "census/linux/JsonReply.h"

#include "census/core/Utf8.h"

#include <stdexcept>
#include <string>

nlohmann::json ParseJsonReply(std::string_view text)
{
    std::string valid;
    valid.reserve(text.size());
    for (const char32_t c : DecodeUtf8(text))
        AppendUtf8(valid, c);
    nlohmann::json reply = nlohmann::json::parse(valid, nullptr, false);
    if (reply.is_discarded())
        throw std::runtime_error("the reply is no JSON");
    return reply;
}
