#include "census/x11/GrabbingClients.h"

#include "census/x11/ProcessName.h"
#include "census/x11/XErrorTrap.h"

#include <X11/extensions/XRes.h>

#include <cstdio>
#include <map>
#include <memory>

namespace {

template <typename T> struct XFreeDeleter
{
    void operator()(T* data) const { XFree(data); }
};
template <typename T> using XFreed = std::unique_ptr<T, XFreeDeleter<T>>;

struct ClientIds
{
    long count = 0;
    XResClientIdValue* values = nullptr;
    ~ClientIds() { XResClientIdsDestroy(count, values); }
};

bool HasVersion12(Display* display)
{
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    return XResQueryExtension(display, &eventBase, &errorBase) && XResQueryVersion(display, &major, &minor)
        && (major > 1 || (major == 1 && minor >= 2));
}

// The passive grabs of one client; 0 for one that has gone.
unsigned PassiveGrabs(Display* display, XID client, Atom passiveGrab)
{
    int typeCount = 0;
    XResType* types = nullptr;
    if (!XResQueryClientResources(display, client, &typeCount, &types))
        return 0;
    const XFreed<XResType> owned(types);
    for (int i = 0; i < typeCount; ++i) {
        if (types[i].resource_type == passiveGrab)
            return types[i].count;
    }
    return 0;
}

// The process of each local client of the display, by its resource base.
std::map<XID, unsigned long> ClientProcesses(Display* display)
{
    // No client named: every client.
    XResClientIdSpec every{0, XRES_CLIENT_ID_PID_MASK};
    ClientIds ids;
    std::map<XID, unsigned long> pids;
    // Unlike the older requests, this one returns Success, not True.
    if (XResQueryClientIds(display, 1, &every, &ids.count, &ids.values) != Success)
        return pids;
    for (long i = 0; i < ids.count; ++i) {
        const pid_t pid = XResGetClientPid(&ids.values[i]);
        // Each value names its client first, then its length and its data.
        const auto& [asked, length, value] = ids.values[i];
        if (pid > 0)
            pids[asked.client] = static_cast<unsigned long>(pid);
    }
    return pids;
}

void Name(GrabbingClient& client)
{
    char text[64];
    if (client.pid == 0) {
        std::snprintf(text, sizeof text, "remote client (0x%lx)", client.base);
        client.name = client.program = text;
        return;
    }
    const ProcessName process = NameOfProcess(client.pid);
    client.command = process.shortName;
    client.program = process.program;
    std::snprintf(text, sizeof text, " (%lu)", client.pid);
    client.name = (client.command.empty() ? "process" : client.command) + text;
}

} // namespace

std::optional<std::vector<GrabbingClient>> ReadGrabbingClients(Display* display)
{
    if (!HasVersion12(display))
        return std::nullopt;
    std::vector<GrabbingClient> grabbing;
    // The server makes the atom of a resource type only when it first tells
    // someone of it: asking whether it exists is no answer.
    const Atom passiveGrab = XInternAtom(display, "PASSIVE GRAB", False);

    // A client that leaves between the list and its own query is an error
    // of that query, no reason to stop.
    const XErrorTrap trap(display);
    int clientCount = 0;
    XResClient* clients = nullptr;
    if (!XResQueryClients(display, &clientCount, &clients))
        return grabbing;
    const XFreed<XResClient> owned(clients);
    // An id of our own range, never used, tells which client we are.
    const XID own = XAllocID(display);
    for (int i = 0; i < clientCount; ++i) {
        if ((own & ~clients[i].resource_mask) == clients[i].resource_base)
            continue;
        if (const unsigned grabs = PassiveGrabs(display, clients[i].resource_base, passiveGrab))
            grabbing.push_back({clients[i].resource_base, grabs, 0, {}, {}, {}});
    }
    if (grabbing.empty())
        return grabbing;
    const std::map<XID, unsigned long> pids = ClientProcesses(display);
    for (GrabbingClient& client : grabbing) {
        const auto pid = pids.find(client.base);
        client.pid = pid == pids.end() ? 0 : pid->second;
        Name(client);
    }
    return grabbing;
}
