#include "hotkeys/who/Canary.h"

namespace who {

Canary::Canary(HWND window) : m_window(window)
{
    for (WORD key = VK_F24; key >= VK_F13 && m_key == 0; --key) {
        if (::RegisterHotKey(window, kHotkeyId, kModifiers, key))
            m_key = key;
    }
}

Canary::~Canary()
{
    if (m_key)
        ::UnregisterHotKey(m_window, kHotkeyId);
}

} // namespace who
