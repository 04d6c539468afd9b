#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// keyvane-census.exe run as its own process, reading this thread's messages
// while it runs (so that a low-level hook here sees its key presses), its
// output caught in files.
struct ProgramRun
{
    int status;
    std::string out;
    std::string err;
    DWORD elapsedMs;
};

ProgramRun RunCensusProgram(const std::string& arguments);

// The same, sending the program a Ctrl+Break as soon as breakWhen returns
// true; breakSent tells whether the system took it.
ProgramRun RunCensusProgram(
    const std::string& arguments, const std::function<bool()>& breakWhen, bool& breakSent);

// Every key event of the desktop, from a low-level keyboard hook of this
// thread, while the object lives.
class KeyRecorder
{
public:
    struct Event
    {
        DWORD key;
        bool up;
    };

    KeyRecorder();
    ~KeyRecorder();

    KeyRecorder(const KeyRecorder&) = delete;
    KeyRecorder& operator=(const KeyRecorder&) = delete;

    bool Recording() const { return m_hook != nullptr; }
    const std::vector<Event>& Events() const;
    // How often the key went down.
    size_t Presses(DWORD key) const;

private:
    HHOOK m_hook;
};

// Running processes whose executable has this name.
size_t CountProcesses(const std::string& executableName);
