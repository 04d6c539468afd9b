#include "census/x11/KeyGrabs.h"

#include "census/x11/XErrorTrap.h"

#include <X11/Xproto.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// When one grab's two requests were made, counted in requests since the error
// trap began.
struct Serials
{
    unsigned long grab;
    unsigned long release;
};

GrabAnswer AnswerTo(const XErrorTrap::Error& error)
{
    if (error.requestCode == X_GrabKey && error.code == BadAccess)
        return {GrabAnswer::Kind::Taken, 0};
    return {GrabAnswer::Kind::Failed, error.code};
}

} // namespace

std::vector<GrabAnswer> TryGrabs(Display* display, std::span<const KeyGrab> grabs)
{
    const Window root = DefaultRootWindow(display);
    std::vector<Serials> serials;
    serials.reserve(grabs.size());
    XErrorTrap trap(display);
    // Xlib may slip requests of its own in between, to keep track of sequence
    // numbers: each request's number is read just before it is made.
    for (const KeyGrab& grab : grabs) {
        Serials pair{};
        pair.grab = trap.SinceStart(NextRequest(display));
        XGrabKey(display, static_cast<int>(grab.keycode), grab.modifiers, root, False, GrabModeAsync,
            GrabModeAsync);
        pair.release = trap.SinceStart(NextRequest(display));
        XUngrabKey(display, static_cast<int>(grab.keycode), grab.modifiers, root);
        serials.push_back(pair);
    }
    XSync(display, False);

    std::vector<GrabAnswer> answers(grabs.size(), GrabAnswer{GrabAnswer::Kind::Free, 0});
    for (const XErrorTrap::Error& error : trap.Errors()) {
        // The count grows with the requests: the last grab made at or before
        // the failed request is the one it belongs to.
        const unsigned long failed = trap.SinceStart(error.serial);
        const auto after = std::upper_bound(serials.begin(), serials.end(), failed,
            [](unsigned long serial, const Serials& pair) { return serial < pair.grab; });
        if (after == serials.begin() || (after - 1)->release < failed)
            throw std::runtime_error("X error " + std::to_string(error.code) + " on request "
                + std::to_string(error.requestCode) + " that the census did not make");
        GrabAnswer& answer = answers[static_cast<size_t>(after - 1 - serials.begin())];
        // A failed release is the worse news: the grab may still be held.
        if (answer.kind != GrabAnswer::Kind::Failed)
            answer = AnswerTo(error);
    }
    return answers;
}
