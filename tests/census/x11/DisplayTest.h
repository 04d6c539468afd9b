#pragma once

// GoogleTest first: Xlib's headers define None and Bool as macros.
#include <gtest/gtest.h>

#include "census/x11/X11Keymap.h"

#include <memory>
#include <optional>

// A test on the display of $DISPLAY, with its keyboard map and the modifier
// NumLock is on.
class DisplayTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_display) << "no X display: the tests run on the private Xvfb of scripts/test.sh";
        m_keymap.emplace(m_display.get());
        m_numLock = m_keymap->NumLockMask();
        ASSERT_NE(0u, m_numLock) << "NumLock is on no modifier of the display";
    }

    unsigned Key(const char* name) const
    {
        const std::optional<unsigned> keycode = m_keymap->ParseKey(name);
        EXPECT_TRUE(keycode) << name << " is on no key";
        return keycode.value_or(0);
    }

    struct DisplayCloser
    {
        void operator()(Display* display) const { XCloseDisplay(display); }
    };

    std::unique_ptr<Display, DisplayCloser> m_display{XOpenDisplay(nullptr)};
    std::optional<X11Keymap> m_keymap;
    unsigned m_numLock = 0;
};
