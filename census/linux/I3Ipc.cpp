#include "census/linux/I3Ipc.h"

#include "census/linux/JsonReply.h"
#include "census/linux/UnixSocket.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace {

// Every message, either way: the magic, the payload's length and the message
// type, both in the machine's byte order, then the payload.
constexpr std::string_view kMagic = "i3-ipc";
constexpr size_t kHeaderSize = kMagic.size() + 2 * sizeof(std::uint32_t);
constexpr std::uint32_t kGetConfig = 9;

std::string Message(std::uint32_t type, std::string_view payload)
{
    const auto length = static_cast<std::uint32_t>(payload.size());
    std::string message(kMagic);
    message.append(reinterpret_cast<const char*>(&length), sizeof length);
    message.append(reinterpret_cast<const char*>(&type), sizeof type);
    message.append(payload);
    return message;
}

} // namespace

nlohmann::json RequestConfig(const std::string& socketPath, const Deadline& deadline)
{
    UnixSocket manager(socketPath, deadline);
    manager.Send(Message(kGetConfig, {}));
    const std::string header = manager.ReceiveExactly(kHeaderSize);
    std::uint32_t length = 0;
    std::uint32_t type = 0;
    std::memcpy(&length, header.data() + kMagic.size(), sizeof length);
    std::memcpy(&type, header.data() + kMagic.size() + sizeof length, sizeof type);
    if (!header.starts_with(kMagic) || type != kGetConfig)
        throw std::runtime_error("the reply is no answer to get_config");
    nlohmann::json reply = ParseJsonReply(manager.ReceiveExactly(length));
    if (!reply.is_object() || !reply.contains("config") || !reply["config"].is_string())
        throw std::runtime_error("the reply holds no configuration");
    return reply;
}
