// keyvane-census for X11 desktops: which key combinations other clients grab.
#include "census/core/Cli.h"
#include "census/x11/X11Backend.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    X11Backend backend;
    // Xwayland shows a client only the grabs of other X clients: the
    // compositor's own shortcuts cannot be seen from here.
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (backend.Connected() && wayland && *wayland) {
        std::cerr << "keyvane-census: note: this is a Wayland session; only the grabs of X11 programs can be "
                     "seen, not the shortcuts of the compositor\n";
    }
    return RunCensusCli({argv + 1, argv + argc}, backend, std::cout, std::cerr);
}
