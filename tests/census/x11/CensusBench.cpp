// Cost of the X11 census against the bare cost of its grabs, on the display of
// $DISPLAY. Run on a private Xvfb: scripts/bench.sh
//
//   (a) floor:   every keycode with the 16 modifier combinations, grabbed and
//                released in turn in one batch, then one round trip
//   (b) census:  the census of the same combinations, in this process
//   (c) process: keyvane-census list, a whole process from start to exit
//   (d) process: keyvane-census list --locks, four grabs per combination
//   (e) census:  as (b), without asking the server who holds the grabs; (b)
//                over (e) is what naming the holders costs
//
// A helper client holds a desktop's dozen shortcuts with their lock variants,
// another one two more combinations, so that the holders take telling apart.
#include "census/x11/X11Backend.h"
#include "tests/bench/BestOf.h"
#include "tests/census/x11/HeldGrabs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

// Each figure is the best of this many runs.
constexpr int kRuns = 15;

int IgnoreError(Display*, XErrorEvent*) { return 0; }

double GrabFloor(Display* display)
{
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    const Window root = DefaultRootWindow(display);
    const XErrorHandler previous = XSetErrorHandler(&IgnoreError);
    const Clock::time_point start = Clock::now();
    for (int keycode = minKeycode; keycode <= maxKeycode; ++keycode) {
        for (unsigned combination = 0; combination < 16; ++combination) {
            const unsigned modifiers = ((combination & 1) ? ControlMask : 0)
                | ((combination & 2) ? Mod1Mask : 0) | ((combination & 4) ? ShiftMask : 0)
                | ((combination & 8) ? Mod4Mask : 0);
            XGrabKey(display, keycode, modifiers, root, False, GrabModeAsync, GrabModeAsync);
            XUngrabKey(display, keycode, modifiers, root);
        }
    }
    XSync(display, False);
    const double elapsed = Milliseconds(Clock::now() - start);
    XSetErrorHandler(previous);
    return elapsed;
}

double CensusTime(X11Backend& backend)
{
    const Clock::time_point start = Clock::now();
    backend.Census();
    return Milliseconds(Clock::now() - start);
}

double ProcessTime(const std::vector<std::string>& arguments)
{
    const Clock::time_point start = Clock::now();
    ChildProcess census(arguments);
    if (census.Finish().status != 0)
        std::fprintf(stderr, "keyvane-census failed\n");
    return Milliseconds(Clock::now() - start);
}

std::vector<KeyGrab> DesktopShortcuts(Display* display)
{
    const X11Keymap keymap(display);
    std::vector<KeyGrab> grabs;
    const unsigned numLock = keymap.NumLockMask();
    const unsigned shortcuts[] = {ControlMask | Mod1Mask, Mod4Mask};
    const unsigned locks[] = {0, LockMask, numLock, LockMask | numLock};
    for (const char* key : {"a", "b", "c", "d", "e", "f"}) {
        for (unsigned modifiers : shortcuts) {
            for (unsigned lock : locks)
                grabs.push_back({keymap.ParseKey(key).value_or(0), modifiers | lock});
        }
    }
    return grabs;
}

} // namespace

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    HeldGrabs holder(DesktopShortcuts(display));
    const X11Keymap keymap(display);
    HeldGrabs other(
        {{keymap.ParseKey("F9").value_or(0), ControlMask}, {keymap.ParseKey("F10").value_or(0), 0}});
    if (!holder.Holding() || !other.Holding())
        return 1;
    X11Backend backend;
    X11Backend unnamed(nullptr, X11Backend::Owners::Unnamed);
    const std::vector<double> best = BestOf(kRuns,
        {
            [&] { return GrabFloor(display); },
            [&] { return CensusTime(backend); },
            [] {
                return ProcessTime({"keyvane-census", "list"});
            },
            [] {
                return ProcessTime({"keyvane-census", "list", "--locks"});
            },
            [&] { return CensusTime(unnamed); },
        });
    XCloseDisplay(display);

    const double floor = best[0];
    std::printf("best of %d runs                          ms    x floor\n", kRuns);
    std::printf("(a) grab floor, 16 x each keycode     %8.1f    1.00\n", floor);
    std::printf(
        "(b) census in this process            %8.1f    %.2f   (goal 1.5)\n", best[1], best[1] / floor);
    std::printf("(c) keyvane-census list, whole        %8.1f    %.2f   (goal about 100 ms)\n", best[2],
        best[2] / floor);
    std::printf("(d) keyvane-census list --locks       %8.1f    %.2f\n", best[3], best[3] / floor);
    std::printf("(e) census without naming holders     %8.1f    %.2f   (b over e: %.2f, goal 1.2)\n", best[4],
        best[4] / floor, best[1] / best[4]);
    return 0;
}
