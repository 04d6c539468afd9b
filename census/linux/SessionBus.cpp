#include "census/linux/SessionBus.h"

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <stdexcept>

namespace {

std::runtime_error Failure(GError* raw)
{
    const GErrorPtr error(raw);
    return std::runtime_error(error ? error->message : "the session bus failed");
}

} // namespace

std::optional<std::string> SessionBusAddress()
{
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address)
        return address;
    // Where systemd's user session puts the bus.
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        const std::filesystem::path socket = std::filesystem::path(runtime) / "bus";
        std::error_code error;
        if (std::filesystem::is_socket(socket, error))
            return "unix:path=" + socket.string();
    }
    return std::nullopt;
}

SessionBus::SessionBus(const Deadline& deadline)
    : m_deadline(deadline), m_cancellable(g_cancellable_new()), m_timer([this](std::stop_token stop) {
          std::mutex mutex;
          std::condition_variable_any stopped;
          std::unique_lock lock(mutex);
          stopped.wait_until(lock, stop, m_deadline.End(), [] { return false; });
          if (!stop.stop_requested())
              g_cancellable_cancel(m_cancellable.get());
      })
{
    const std::optional<std::string> address = SessionBusAddress();
    if (!address)
        throw std::runtime_error("the session has no D-Bus session bus");
    GError* error = nullptr;
    m_connection.reset(g_dbus_connection_new_for_address_sync(address->c_str(),
        static_cast<GDBusConnectionFlags>(
            G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, m_cancellable.get(), &error));
    if (!m_connection)
        throw Failure(error);
}

GVariantPtr SessionBus::Call(const char* service, const char* path, const char* interface, const char* method,
    GVariant* arguments, const char* replyType) const
{
    GError* error = nullptr;
    // A timeout of 0 would not mean "now" to GDBus.
    GVariantPtr reply(g_dbus_connection_call_sync(m_connection.get(), service, path, interface, method,
        arguments, G_VARIANT_TYPE(replyType), G_DBUS_CALL_FLAGS_NO_AUTO_START,
        std::max(m_deadline.MillisecondsLeft(), 1), m_cancellable.get(), &error));
    if (!reply)
        throw Failure(error);
    return reply;
}

bool SessionBus::HasOwner(const char* name) const
{
    const GVariantPtr reply = Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", g_variant_new("(s)", name), "(b)");
    gboolean owned = FALSE;
    g_variant_get(reply.get(), "(b)", &owned);
    return owned;
}
