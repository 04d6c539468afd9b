// The grab probe against grabs that another X client really holds.
// GoogleTest first: Xlib's headers define None and Bool as macros.
#include <gtest/gtest.h>

#include "census/x11/KeyGrabs.h"
#include "tests/census/x11/DisplayTest.h"
#include "tests/census/x11/HeldGrabs.h"

#include <X11/Xproto.h>

#include <algorithm>
#include <memory>

namespace {

constexpr unsigned kCtrlAlt = ControlMask | Mod1Mask;

class KeyGrabsTest : public DisplayTest
{
protected:
    // Every keycode with every combination of Control, Mod1, Shift and Mod4,
    // each with the NumLock and CapsLock variants.
    std::vector<KeyGrab> Everything() const
    {
        std::vector<KeyGrab> grabs;
        const unsigned locks[] = {0, LockMask, m_numLock, LockMask | m_numLock};
        for (unsigned keycode = m_keymap->MinKeycode(); keycode <= m_keymap->MaxKeycode(); ++keycode) {
            for (unsigned combination = 0; combination < 16; ++combination) {
                const unsigned modifiers = ((combination & 1) ? ControlMask : 0)
                    | ((combination & 2) ? Mod1Mask : 0) | ((combination & 4) ? ShiftMask : 0)
                    | ((combination & 8) ? Mod4Mask : 0);
                for (unsigned lock : locks)
                    grabs.push_back({keycode, modifiers | lock});
            }
        }
        return grabs;
    }

    // The grabs the probe found taken, and every other answer that is not
    // "free", by the index of the grab.
    static std::vector<KeyGrab> Taken(
        const std::vector<KeyGrab>& grabs, const std::vector<GrabAnswer>& answers)
    {
        std::vector<KeyGrab> taken;
        for (size_t i = 0; i < answers.size(); ++i) {
            EXPECT_NE(GrabAnswer::Kind::Failed, answers[i].kind)
                << "grab " << i << " failed with X error " << answers[i].errorCode;
            if (answers[i].kind == GrabAnswer::Kind::Taken)
                taken.push_back(grabs[i]);
        }
        return taken;
    }
};

TEST_F(KeyGrabsTest, FindsExactlyTheGrabsAnotherClientHolds)
{
    const unsigned k = Key("k");
    // A desktop's four grabs of one shortcut, and single grabs with one lock
    // or none, on the lowest and highest keycodes too.
    const std::vector<KeyGrab> held = {
        {m_keymap->MinKeycode(), 0},
        {k, kCtrlAlt},
        {k, kCtrlAlt | LockMask},
        {k, kCtrlAlt | m_numLock},
        {k, kCtrlAlt | LockMask | m_numLock},
        {Key("F12"), Mod4Mask | ShiftMask},
        {Key("Delete"), Mod1Mask | m_numLock},
        {m_keymap->MaxKeycode(), ControlMask | Mod1Mask | ShiftMask | Mod4Mask},
    };
    HeldGrabs holder(held);
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grabs";

    const std::vector<KeyGrab> everything = Everything();
    const std::vector<GrabAnswer> answers = TryGrabs(m_display.get(), everything);
    ASSERT_EQ(everything.size(), answers.size());
    std::vector<KeyGrab> expected = held;
    // In the order of the probe: by keycode, then combination.
    std::stable_sort(expected.begin(), expected.end(), [&](const KeyGrab& a, const KeyGrab& b) {
        return std::find(everything.begin(), everything.end(), a)
            < std::find(everything.begin(), everything.end(), b);
    });
    EXPECT_EQ(expected, Taken(everything, answers));
}

TEST_F(KeyGrabsTest, MatchesErrorsPastSixteenBitSequenceNumbers)
{
    // X carries only the low 16 bits of a request's number: three rounds of
    // everything, two requests a grab, go well past 65536 requests.
    const KeyGrab held = {Key("space"), ControlMask | m_numLock};
    HeldGrabs holder({held});
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grab";

    const std::vector<KeyGrab> round = Everything();
    std::vector<KeyGrab> rounds;
    for (int i = 0; i < 3; ++i)
        rounds.insert(rounds.end(), round.begin(), round.end());
    ASSERT_GT(rounds.size() * 2, 65536u);
    EXPECT_EQ(std::vector<KeyGrab>(3, held), Taken(rounds, TryGrabs(m_display.get(), rounds)));
}

TEST_F(KeyGrabsTest, OtherErrorsStayWithTheirOwnGrab)
{
    const unsigned k = Key("k");
    HeldGrabs holder({{k, ControlMask}});
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grab";

    // Keycodes below the keyboard's minimum are out of range, except 0 (any key).
    const unsigned outOfRange = m_keymap->MinKeycode() - 1;
    ASSERT_NE(0u, outOfRange);
    const std::vector<KeyGrab> grabs
        = {{k, 0}, {outOfRange, ControlMask}, {k, ControlMask}, {outOfRange, 0}, {k, ShiftMask}};
    const std::vector<GrabAnswer> answers = TryGrabs(m_display.get(), grabs);
    ASSERT_EQ(grabs.size(), answers.size());
    const GrabAnswer::Kind expected[] = {GrabAnswer::Kind::Free, GrabAnswer::Kind::Failed,
        GrabAnswer::Kind::Taken, GrabAnswer::Kind::Failed, GrabAnswer::Kind::Free};
    for (size_t i = 0; i < grabs.size(); ++i) {
        EXPECT_EQ(expected[i], answers[i].kind) << "grab " << i;
        if (expected[i] == GrabAnswer::Kind::Failed) {
            EXPECT_EQ(BadValue, answers[i].errorCode) << "grab " << i;
        }
    }
}

// Errors of requests made before the probe are not the probe's business.
std::vector<XErrorEvent> g_earlierErrors;

int NoteEarlierError(Display*, XErrorEvent* event)
{
    g_earlierErrors.push_back(*event);
    return 0;
}

TEST_F(KeyGrabsTest, LeavesErrorsOfEarlierRequestsToTheirHandler)
{
    const XErrorHandler previous = XSetErrorHandler(&NoteEarlierError);
    g_earlierErrors.clear();
    const unsigned k = Key("k");
    HeldGrabs holder({{k, 0}});
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grab";

    // Not yet answered when the probe starts.
    XUngrabKey(
        m_display.get(), static_cast<int>(m_keymap->MinKeycode() - 1), 0, DefaultRootWindow(m_display.get()));
    const std::vector<KeyGrab> grabs = {{k, 0}, {k, ShiftMask}};
    const std::vector<GrabAnswer> answers = TryGrabs(m_display.get(), grabs);
    XSetErrorHandler(previous);

    ASSERT_EQ(1u, g_earlierErrors.size()) << "errors the earlier handler received";
    EXPECT_EQ(X_UngrabKey, g_earlierErrors[0].request_code);
    EXPECT_EQ(GrabAnswer::Kind::Taken, answers[0].kind);
    EXPECT_EQ(GrabAnswer::Kind::Free, answers[1].kind);
}

TEST_F(KeyGrabsTest, HoldsNothingAfterwardsAndTakesNothingAway)
{
    const unsigned k = Key("k");
    HeldGrabs holder({{k, kCtrlAlt}});
    ASSERT_TRUE(holder.Holding()) << "the helper client could not take its grab";
    const std::vector<KeyGrab> everything = Everything();
    TryGrabs(m_display.get(), everything);

    // The probing client is still connected: every grab it tried and got must
    // be free for another client now.
    std::vector<KeyGrab> others;
    for (const KeyGrab& grab : everything) {
        if (grab.keycode == k && !(grab == KeyGrab{k, kCtrlAlt}))
            others.push_back(grab);
    }
    HeldGrabs second(others);
    EXPECT_TRUE(second.Holding()) << "a grab of the probe was left held";

    ASSERT_TRUE(TypeKeys("ctrl+alt+k"));
    const std::optional<KeyGrab> press = holder.NextPress();
    ASSERT_TRUE(press) << "the helper client received no key press";
    EXPECT_EQ(k, press->keycode);
    EXPECT_EQ(kCtrlAlt, press->modifiers);
}

} // namespace
