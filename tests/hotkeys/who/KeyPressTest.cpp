#include "hotkeys/who/KeyPress.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using who::KeyStroke;

std::vector<std::pair<WORD, bool>> Flat(const std::vector<KeyStroke>& strokes)
{
    std::vector<std::pair<WORD, bool>> flat;
    for (const KeyStroke& stroke : strokes)
        flat.emplace_back(stroke.key, stroke.up);
    return flat;
}

constexpr bool kDown = false;
constexpr bool kUp = true;

TEST(PressStrokes, ModifiersAroundTheKeyReleasedInReverse)
{
    EXPECT_EQ((std::vector<std::pair<WORD, bool>>{{VK_CONTROL, kDown}, {VK_SHIFT, kDown}, {'K', kDown},
                  {'K', kUp}, {VK_SHIFT, kUp}, {VK_CONTROL, kUp}}),
        Flat(who::PressStrokes('K', MOD_CONTROL | MOD_SHIFT)));
    EXPECT_EQ((std::vector<std::pair<WORD, bool>>{{VK_F5, kDown}, {VK_F5, kUp}}),
        Flat(who::PressStrokes(VK_F5, 0)));
}

TEST(PressStrokes, AltAndWinAreMaskedBeforeTheyComeUp)
{
    for (UINT modifiers :
        {UINT{MOD_ALT}, UINT{MOD_WIN}, UINT{MOD_WIN | MOD_SHIFT}, UINT{MOD_CONTROL | MOD_ALT}}) {
        const auto strokes = Flat(who::PressStrokes(VK_F12, modifiers));
        const auto maskDown = std::find(strokes.begin(), strokes.end(), std::pair{who::kMaskKey, kDown});
        const auto maskUp = std::find(strokes.begin(), strokes.end(), std::pair{who::kMaskKey, kUp});
        const auto keyUp = std::find(strokes.begin(), strokes.end(), std::pair<WORD, bool>{VK_F12, kUp});
        ASSERT_NE(strokes.end(), maskDown) << "modifiers " << modifiers;
        EXPECT_LT(keyUp, maskDown) << "modifiers " << modifiers;
        EXPECT_EQ(maskDown + 1, maskUp) << "modifiers " << modifiers;
        for (WORD modifierKey : {WORD{VK_LWIN}, WORD{VK_MENU}}) {
            const auto release = std::find(strokes.begin(), strokes.end(), std::pair{modifierKey, kUp});
            if (release != strokes.end()) {
                EXPECT_LT(maskUp, release) << "modifiers " << modifiers << ", key " << modifierKey;
            }
        }
    }
}

TEST(PressStrokes, AltOrWinAsTheKeyIsMaskedWhileItIsDown)
{
    for (WORD key : {WORD{VK_LWIN}, WORD{VK_RMENU}}) {
        EXPECT_EQ((std::vector<std::pair<WORD, bool>>{{VK_CONTROL, kDown}, {key, kDown},
                      {who::kMaskKey, kDown}, {who::kMaskKey, kUp}, {key, kUp}, {VK_CONTROL, kUp}}),
            Flat(who::PressStrokes(key, MOD_CONTROL)))
            << "key " << key;
    }
}

TEST(PressStrokes, EveryKeyThatGoesDownComesUpAfterwards)
{
    for (UINT modifiers = 0; modifiers < 16; ++modifiers) {
        const auto strokes = Flat(who::PressStrokes('Q', modifiers));
        for (auto down = strokes.begin(); down != strokes.end(); ++down) {
            if (down->second == kUp)
                continue;
            EXPECT_NE(strokes.end(), std::find(down + 1, strokes.end(), std::pair{down->first, kUp}))
                << "modifiers " << modifiers << ": key " << down->first << " stays down";
        }
        EXPECT_EQ(static_cast<size_t>(
                      std::count_if(strokes.begin(), strokes.end(), [](auto s) { return s.second; })),
            strokes.size() / 2);
    }
}

TEST(ReleaseStrokes, AFailedPressEndsAsAWholeOneDoes)
{
    EXPECT_EQ((std::vector<std::pair<WORD, bool>>{{VK_F12, kUp}, {who::kMaskKey, kDown}, {who::kMaskKey, kUp},
                  {VK_MENU, kUp}, {VK_CONTROL, kUp}}),
        Flat(who::ReleaseStrokes(who::PressStrokes(VK_F12, MOD_CONTROL | MOD_ALT))));
}

bool CapsLockOn()
{
    // The state this thread sees follows the input once its messages are read.
    ::Sleep(50);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&message);
    return ::GetKeyState(VK_CAPITAL) & 1;
}

TEST(SendStrokes, ALockKeyInACombinationKeepsItsState)
{
    const std::vector<who::KeyStroke> tap = {{VK_CAPITAL, false}, {VK_CAPITAL, true}};
    const bool before = CapsLockOn();
    ASSERT_TRUE(who::SendStrokes(tap));
    const bool shows = CapsLockOn() != before;
    ASSERT_TRUE(who::SendStrokes(who::PressStrokes(VK_CAPITAL, MOD_CONTROL | MOD_SHIFT)));
    const bool after = CapsLockOn();
    if (shows)
        who::SendStrokes(tap); // back as the test found it
    if (!shows)
        GTEST_SKIP() << "this system shows no Caps Lock state for sent input";
    EXPECT_EQ(!before, after) << "the press switched Caps Lock";
}

} // namespace
