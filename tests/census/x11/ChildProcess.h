#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A program the test started, with pipes to its standard input, output and
// error. Destroying it closes its input and waits a little for it to end.
class ChildProcess
{
public:
    // The program is looked for beside the test program unless the name has
    // a slash. The environment is the test's own unless one is given.
    explicit ChildProcess(const std::vector<std::string>& arguments,
        const std::optional<std::vector<std::string>>& environment = std::nullopt);
    ~ChildProcess();

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of output without its newline, or nothing when the output
    // ends or no line comes within the timeout.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);

    struct Outcome
    {
        int status; // the exit status, or 128 + the signal that ended it
        std::string output;
        std::string error;
    };
    // Closes the input, reads both outputs to their ends and waits; a program
    // still running after the patience given is killed.
    Outcome Finish(std::chrono::milliseconds patience = std::chrono::hours(1));

    // Closes the reading end of the program's output, as a reader that goes
    // away does (head -1).
    void CloseOutput();

    // Asks the program to end (SIGTERM).
    void Terminate();

    int Pid() const { return m_pid; }

private:
    int m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    int m_error = -1;
    std::string m_pending; // output read past the last line returned
};

// The test's environment without the named variables, plus the extra ones
// ("NAME=value").
std::vector<std::string> EnvironmentWithout(
    const std::vector<std::string>& names, const std::vector<std::string>& extra = {});

// The path of a program built beside the test program.
std::string BuiltProgram(const std::string& name);
