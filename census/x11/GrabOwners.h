#pragma once

#include "census/x11/GrabbingClients.h"

#include <string>
#include <vector>

// What the census found of one taken combination, for telling who holds it.
struct GrabbedCombination
{
    unsigned lockGrabs = 0; // its lock variants held as well (NumLock, CapsLock, both)
    // The programs that hold it according to a desktop's table of this
    // session: "gnome-shell", "i3".
    std::vector<std::string> namedBy;
};

// Who may hold one combination: indices into the grabbing clients.
struct GrabOwners
{
    std::vector<size_t> holders;
    // Only for a combination whose lock variants belong to another client
    // than the combination itself: the candidates for those.
    std::vector<size_t> lockHolders;
};

// Tells which client holds each combination, from the clients' counts of
// passive grabs and what each combination takes of them: itself and its lock
// variants. A client holds a combination when no other can: it is the only
// client with grabs, or the only one whose grabs not yet accounted for
// suffice, or the only one of the desktop whose table names the combination.
// Otherwise every client that may hold it stays a candidate.
std::vector<GrabOwners> AttributeGrabs(
    const std::vector<GrabbingClient>& clients, const std::vector<GrabbedCombination>& combinations);

// "openbox (812)", "one of: openbox (812), xbindkeys (990)", and for lock
// variants held by another client "...; with a lock key on: i3 (77)".
std::string OwnersText(const std::vector<GrabbingClient>& clients, const GrabOwners& owners);
