#pragma once

#include "census/linux/Deadline.h"
#include "census/linux/GLibHandles.h"

#include <optional>
#include <string>
#include <thread>

// The session bus's address from the environment; nothing when the session
// has none. Unlike GIO's own lookup, it never launches a bus.
std::optional<std::string> SessionBusAddress();

// A private connection to the session bus, on which every step, from the
// connection to the last reply, ends by one deadline. Calls never start a
// service that is not running.
class SessionBus
{
public:
    // Throws std::runtime_error when the session has no bus or it does not
    // let this process in before the deadline.
    explicit SessionBus(const Deadline& deadline);

    // The reply to a method call, checked to be of the given type. Throws
    // std::runtime_error with the bus's message when the call fails.
    GVariantPtr Call(const char* service, const char* path, const char* interface, const char* method,
        GVariant* arguments, const char* replyType) const;

    bool HasOwner(const char* name) const;

private:
    Deadline m_deadline;
    GObjectPtr<GCancellable> m_cancellable;
    // Cancels whatever waits on the bus when the deadline passes; stopped first.
    std::jthread m_timer;
    GObjectPtr<GDBusConnection> m_connection;
};
