#pragma once

#include "tests/census/CensusProgram.h"

#include <windows.h>

#include <string>
#include <vector>

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
