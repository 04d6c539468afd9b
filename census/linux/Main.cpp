// keyvane-census for Linux desktops: which key combinations the desktop's
// shortcut tables hold, and which other clients grab on an X display.
#include "census/core/Cli.h"
#include "census/linux/OutputHangup.h"
#include "census/linux/SessionBackend.h"

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

// Xlib ends the program when the display goes away, whatever it was doing;
// with 1 by default, which check means for "taken".
int DisplayLost(Display* display)
{
    std::fprintf(
        stderr, "keyvane-census: lost the connection to the X display \"%s\"\n", DisplayString(display));
    std::exit(kExitBadInput);
}

} // namespace

int main(int argc, char** argv)
{
    // Output nobody reads is a failed write, to be reported with status 2, not
    // a signal that ends the program.
    signal(SIGPIPE, SIG_IGN);
    XSetIOErrorHandler(DisplayLost);
    SessionBackend backend;
    // Xwayland shows a client only the grabs of other X clients: the
    // compositor's own shortcuts cannot be seen from here.
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (backend.DisplayConnected() && wayland && *wayland) {
        std::cerr << "keyvane-census: note: this is a Wayland session; only the grabs of X11 programs can be "
                     "seen, not the shortcuts of the compositor\n";
    }
    const auto waitWhileRead
        = [](std::chrono::milliseconds time) { return WaitWhileRead(STDOUT_FILENO, time); };
    return RunCensusCli({argv + 1, argv + argc}, backend, std::cout, std::cerr, waitWhileRead);
}
