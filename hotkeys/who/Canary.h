#pragma once

#include <windows.h>

namespace who {

// A combination of our own, registered for a window of the calling thread
// for as long as the object lives: a press of it that arrives there proves
// that presses reach this desktop's hotkeys. It is the first of Ctrl+Shift+F24
// down to Ctrl+Shift+F13 that nobody holds; keys no keyboard has, which no
// program acts on, and without Alt or Win, which would need masking.
class Canary
{
public:
    static constexpr int kHotkeyId = 0xB000;

    explicit Canary(HWND window);
    ~Canary();

    Canary(const Canary&) = delete;
    Canary& operator=(const Canary&) = delete;

    // False when every candidate was taken or refused.
    bool Registered() const { return m_key != 0; }
    WORD Key() const { return m_key; }
    static constexpr UINT kModifiers = MOD_CONTROL | MOD_SHIFT;

private:
    HWND m_window;
    WORD m_key = 0;
};

} // namespace who
