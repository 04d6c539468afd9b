#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

// An X client that holds passive grabs (of keys or buttons, on any window),
// as the server's X-Resource extension counts them.
struct GrabbingClient
{
    XID base;            // the client's resource base: its identity on the server
    unsigned grabs;      // its passive grabs
    unsigned long pid;   // 0 for a client the server knows no process of: a remote one
    std::string command; // the process's name, "openbox"; empty for a remote client
    std::string name;    // "openbox (812)", or "remote client (0x1400000)"
    std::string program; // its executable's path where it can be read, else its name
};

// Every other client of the display with at least one passive grab, in the
// server's order; this connection's own grabs never count. Nothing when the
// server offers no X-Resource 1.2. A client that goes away meanwhile is left
// out. The counts are those of the moment: read them while no probe of ours
// holds a grab.
std::optional<std::vector<GrabbingClient>> ReadGrabbingClients(Display* display);
