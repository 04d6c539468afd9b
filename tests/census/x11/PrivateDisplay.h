#pragma once

#include "tests/census/x11/ChildProcess.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// An Xvfb of the test's own, for what must not happen to the shared display.
class PrivateDisplay
{
public:
    // The server also takes the arguments given ("-listen", "tcp").
    explicit PrivateDisplay(const std::vector<std::string>& arguments = {"-nolisten", "tcp"})
        : m_server(ServerCommand(arguments))
    {
        if (const std::optional<std::string> number = m_server.ReadLine(std::chrono::seconds(20)))
            m_name = ":" + *number;
    }
    ~PrivateDisplay() { Stop(); }

    // Empty when the server did not start.
    const std::string& Name() const { return m_name; }
    std::vector<std::string> Environment() const
    {
        return EnvironmentWithout({"DISPLAY"}, {"DISPLAY=" + m_name});
    }
    void Stop() { m_server.Terminate(); }

private:
    static std::vector<std::string> ServerCommand(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> command = {"/usr/bin/Xvfb", "-displayfd", "1", "-noreset"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return command;
    }

    ChildProcess m_server;
    std::string m_name;
};
