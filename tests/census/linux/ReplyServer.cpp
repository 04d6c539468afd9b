#include "tests/census/linux/ReplyServer.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>
#include <system_error>

ReplyServer::ReplyServer(
    const std::filesystem::path& path, size_t requestSize, std::optional<std::string> reply)
    : m_path(path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    m_listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || listen(m_listener, 1) != 0)
        throw std::system_error(errno, std::generic_category(), path.string());
    m_thread = std::jthread([this, requestSize, reply = std::move(reply)] { Serve(requestSize, reply); });
}

ReplyServer::~ReplyServer()
{
    // Wakes the server wherever it waits: in accept, or holding a silent client.
    shutdown(m_listener, SHUT_RDWR);
    if (m_thread.joinable())
        m_thread.join();
    close(m_listener);
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
}

void ReplyServer::Serve(size_t requestSize, const std::optional<std::string>& reply)
{
    const int client = accept(m_listener, nullptr, nullptr);
    if (client < 0)
        return;
    std::string request(requestSize, '\0');
    size_t done = 0;
    while (done < requestSize) {
        const ssize_t got = recv(client, request.data() + done, requestSize - done, 0);
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    m_request = request.substr(0, done);
    if (reply) {
        send(client, reply->data(), reply->size(), MSG_NOSIGNAL);
    } else {
        // Silent until the test ends: accept returns when the listener shuts down.
        accept(m_listener, nullptr, nullptr);
    }
    close(client);
}

std::string ReplyServer::Request()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_request;
}
