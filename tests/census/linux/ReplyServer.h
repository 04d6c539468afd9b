#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <thread>

// A desktop's IPC socket serving one recorded reply: it takes one client,
// reads a request as long as the expected one, then sends the reply and
// closes. Without a reply it takes no client, and a client's request waits
// unanswered. The socket goes with it.
class ReplyServer
{
public:
    ReplyServer(const std::filesystem::path& path, size_t requestSize, std::optional<std::string> reply);
    ~ReplyServer();

    ReplyServer(const ReplyServer&) = delete;
    ReplyServer& operator=(const ReplyServer&) = delete;

    // What the client sent; call once the reader is done.
    std::string Request();

private:
    void Serve(size_t requestSize, const std::string& reply);

    std::filesystem::path m_path;
    int m_listener = -1;
    std::string m_request;
    std::jthread m_thread;
};
