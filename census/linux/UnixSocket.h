#pragma once

#include "census/linux/Deadline.h"

#include <string>
#include <string_view>

// A client connection to a Unix socket whose every wait ends by one deadline.
// Throws std::runtime_error when the peer fails, goes quiet past the deadline
// or sends more than it may.
class UnixSocket
{
public:
    UnixSocket(const std::string& path, const Deadline& deadline);
    ~UnixSocket();

    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;

    void Send(std::string_view bytes);
    std::string ReceiveExactly(size_t count);
    // Everything until the peer closes, at most kMaxReply bytes.
    std::string ReceiveToEnd();

    // No desktop's table comes near this; a peer that sends more is not one.
    static constexpr size_t kMaxReply = 16 * 1024 * 1024;

private:
    void Wait(short events);

    Deadline m_deadline;
    int m_socket = -1;
    std::string m_path;
};
