#pragma once

#include <windows.h>

// Holds a key down through the system's input queue (SendInput) for the
// lifetime of the object, so that GetAsyncKeyState sees it held.
class HeldKey
{
public:
    explicit HeldKey(WORD virtualKey) : m_key(virtualKey) { Send(0); }
    ~HeldKey() { Send(KEYEVENTF_KEYUP); }

    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

private:
    void Send(DWORD flags)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = m_key;
        input.ki.dwFlags = flags;
        ::SendInput(1, &input, sizeof input);
    }

    WORD m_key;
};
