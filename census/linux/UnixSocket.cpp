#include "census/linux/UnixSocket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace {

std::system_error SystemError(const std::string& what)
{
    return std::system_error(errno, std::generic_category(), what);
}

} // namespace

UnixSocket::UnixSocket(const std::string& path, const Deadline& deadline) : m_deadline(deadline), m_path(path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        throw std::runtime_error(path + ": the path is too long for a socket");
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    m_socket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_socket < 0)
        throw SystemError("socket");
    // A Unix socket connects at once or not at once: EAGAIN means the
    // listener's queue is full, and waiting would not connect it.
    if (connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const std::system_error error = SystemError(path);
        close(m_socket);
        throw error;
    }
}

UnixSocket::~UnixSocket() { close(m_socket); }

void UnixSocket::Wait(short events)
{
    pollfd wanted{m_socket, events, 0};
    for (;;) {
        const int ready = poll(&wanted, 1, m_deadline.MillisecondsLeft());
        if (ready > 0)
            return;
        if (ready == 0)
            throw std::runtime_error(m_path + ": no answer in time");
        if (errno != EINTR)
            throw SystemError(m_path);
    }
}

void UnixSocket::Send(std::string_view bytes)
{
    while (!bytes.empty()) {
        Wait(POLLOUT);
        const ssize_t sent = send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno != EAGAIN && errno != EINTR)
            throw SystemError(m_path);
        if (sent > 0)
            bytes.remove_prefix(static_cast<size_t>(sent));
    }
}

std::string UnixSocket::ReceiveExactly(size_t count)
{
    if (count > kMaxReply)
        throw std::runtime_error(m_path + ": the reply is too long");
    std::string bytes(count, '\0');
    size_t done = 0;
    while (done < count) {
        Wait(POLLIN);
        const ssize_t got = recv(m_socket, bytes.data() + done, count - done, 0);
        if (got == 0)
            throw std::runtime_error(m_path + ": the reply ended early");
        if (got < 0 && errno != EAGAIN && errno != EINTR)
            throw SystemError(m_path);
        if (got > 0)
            done += static_cast<size_t>(got);
    }
    return bytes;
}

std::string UnixSocket::ReceiveToEnd()
{
    std::string bytes;
    std::array<char, 65536> buffer{};
    for (;;) {
        Wait(POLLIN);
        const ssize_t got = recv(m_socket, buffer.data(), buffer.size(), 0);
        if (got == 0)
            return bytes;
        if (got < 0 && errno != EAGAIN && errno != EINTR)
            throw SystemError(m_path);
        if (got > 0)
            bytes.append(buffer.data(), static_cast<size_t>(got));
        if (bytes.size() > kMaxReply)
            throw std::runtime_error(m_path + ": the reply is too long");
    }
}
