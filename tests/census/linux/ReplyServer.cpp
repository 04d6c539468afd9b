#include "tests/census/linux/ReplyServer.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <system_error>

ReplyServer::ReplyServer(
    const std::filesystem::path& path, size_t requestSize, std::optional<std::string> reply)
    : m_path(path), m_listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0))
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || listen(m_listener, 1) != 0) {
        close(m_listener);
        throw std::system_error(errno, std::generic_category(), path.string());
    }
    if (reply)
        m_thread
            = std::jthread([this, requestSize, reply = std::move(*reply)] { Serve(requestSize, reply); });
}

ReplyServer::~ReplyServer()
{
    // Wakes a server still waiting for its client.
    shutdown(m_listener, SHUT_RDWR);
    Request();
    close(m_listener);
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
}

void ReplyServer::Serve(size_t requestSize, const std::string& reply)
{
    const int client = accept(m_listener, nullptr, nullptr);
    if (client < 0)
        return;
    m_request.resize(requestSize);
    size_t done = 0;
    while (done < requestSize) {
        const ssize_t got = recv(client, m_request.data() + done, requestSize - done, 0);
        if (got <= 0)
            break;
        done += static_cast<size_t>(got);
    }
    m_request.resize(done);
    send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
    close(client);
}

std::string ReplyServer::Request()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_request;
}
