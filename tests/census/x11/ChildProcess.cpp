#include "tests/census/x11/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <thread>

extern char** environ;

namespace {

void Check(int error, const char* what)
{
    if (error != 0)
        throw std::system_error(error, std::generic_category(), what);
}

std::array<int, 2> Pipe()
{
    std::array<int, 2> ends{};
    if (pipe2(ends.data(), O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "pipe2");
    return ends;
}

void Close(int& descriptor)
{
    if (descriptor >= 0)
        close(descriptor);
    descriptor = -1;
}

// Appends what the descriptor has to the text; false at its end.
bool ReadSome(int descriptor, std::string& text)
{
    std::array<char, 4096> buffer{};
    const ssize_t count = read(descriptor, buffer.data(), buffer.size());
    if (count <= 0)
        return false;
    text.append(buffer.data(), static_cast<size_t>(count));
    return true;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

std::string BuiltProgram(const std::string& name)
{
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / name).string();
}

std::vector<std::string> EnvironmentWithout(
    const std::vector<std::string>& names, const std::vector<std::string>& extra)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable(*entry);
        bool dropped = false;
        for (const std::string& name : names)
            dropped = dropped || variable.starts_with(name + "=");
        if (!dropped)
            environment.push_back(variable);
    }
    environment.insert(environment.end(), extra.begin(), extra.end());
    return environment;
}

ChildProcess::ChildProcess(
    const std::vector<std::string>& arguments, const std::optional<std::vector<std::string>>& environment)
{
    std::vector<std::string> argv = arguments;
    if (argv.at(0).find('/') == std::string::npos)
        argv[0] = BuiltProgram(argv[0]);
    std::vector<std::string> envp = environment.value_or(EnvironmentWithout({}));

    const auto input = Pipe();
    const auto output = Pipe();
    const auto error = Pipe();
    posix_spawn_file_actions_t actions;
    Check(posix_spawn_file_actions_init(&actions), "posix_spawn_file_actions_init");
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, error[1], STDERR_FILENO);
    pid_t pid = 0;
    const int spawned
        = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, Pointers(argv).data(), Pointers(envp).data());
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    close(error[1]);
    m_input = input[1];
    m_output = output[0];
    m_error = error[0];
    if (spawned != 0) {
        Close(m_input);
        Close(m_output);
        Close(m_error);
        Check(spawned, argv[0].c_str());
    }
    m_pid = pid;
    // A child that dies early must not end the test with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
}

ChildProcess::~ChildProcess()
{
    // Reached unfinished only when a test failed half way: a program that
    // would run on must not hang the test.
    if (m_pid > 0)
        Finish(std::chrono::seconds(10));
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const size_t end = m_pending.find('\n');
        if (end != std::string::npos) {
            std::string line = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd source{m_output, POLLIN, 0};
        if (left.count() <= 0 || poll(&source, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        if (!ReadSome(m_output, m_pending))
            return std::nullopt;
    }
}

ChildProcess::Outcome ChildProcess::Finish(std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    Close(m_input);
    Outcome outcome{0, std::move(m_pending), {}};
    m_pending.clear();
    std::array<pollfd, 2> sources = {{{m_output, POLLIN, 0}, {m_error, POLLIN, 0}}};
    while (sources[0].fd >= 0 || sources[1].fd >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || poll(sources.data(), sources.size(), static_cast<int>(left.count())) <= 0)
            break;
        if (sources[0].revents != 0 && !ReadSome(sources[0].fd, outcome.output))
            sources[0].fd = -1;
        if (sources[1].revents != 0 && !ReadSome(sources[1].fd, outcome.error))
            sources[1].fd = -1;
    }
    Close(m_output);
    Close(m_error);
    int status = 0;
    while (waitpid(m_pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    m_pid = -1;
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

void ChildProcess::CloseOutput() { Close(m_output); }

void ChildProcess::Terminate() { kill(m_pid, SIGTERM); }
