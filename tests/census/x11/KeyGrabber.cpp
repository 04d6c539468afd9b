// Holds key grabs on the root window for the tests, as a desktop's shortcut
// daemon would.
//
//   x11_key_grabber <modifiers>:<keycode> ...   (hexadecimal X modifier mask)
//
// Takes every grab, prints "ready" and then "pressed <modifiers>:<keycode>"
// for each grabbed key press, until its standard input closes. Exits with 2
// when a grab is refused, so that the test knows what it is up against.
#include <X11/Xlib.h>

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {

struct Grab
{
    unsigned modifiers;
    unsigned keycode;
};

bool g_refused = false;

int NoteRefusal(Display*, XErrorEvent*)
{
    g_refused = true;
    return 0;
}

// Reports the presses that have arrived.
void ReportPresses(Display* display)
{
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == KeyPress)
            std::printf("pressed 0x%x:0x%x\n", event.xkey.state, event.xkey.keycode);
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<Grab> grabs;
    for (int i = 1; i < argc; ++i) {
        Grab grab{};
        if (std::sscanf(argv[i], "%x:%x", &grab.modifiers, &grab.keycode) != 2)
            return 1;
        grabs.push_back(grab);
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;

    XSetErrorHandler(&NoteRefusal);
    for (const Grab& grab : grabs) {
        XGrabKey(display, static_cast<int>(grab.keycode), grab.modifiers, DefaultRootWindow(display), False,
            GrabModeAsync, GrabModeAsync);
    }
    XSync(display, False);
    if (g_refused) {
        std::fprintf(stderr, "x11_key_grabber: a grab was refused\n");
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    pollfd sources[2] = {{ConnectionNumber(display), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    for (;;) {
        ReportPresses(display);
        if (poll(sources, 2, -1) < 0)
            return 1;
        // Standard input is never written to: readable means closed.
        if (sources[1].revents != 0)
            break;
    }
    XCloseDisplay(display);
    return 0;
}
