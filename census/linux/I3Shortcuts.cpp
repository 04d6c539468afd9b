#include "census/linux/I3Shortcuts.h"

#include "census/linux/I3Ipc.h"
#include "census/linux/SwayConfig.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {

constexpr std::string_view kSocketProperty = "I3_SOCKET_PATH";
constexpr std::uint32_t kLongestPath = 4096;

struct FreeReply
{
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

struct Disconnect
{
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};

std::string RootWindowSocketPath()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return {};
    int screenNumber = 0;
    const std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, &screenNumber));
    if (xcb_connection_has_error(connection.get()))
        return {};
    const ReplyPtr<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(connection.get(),
        xcb_intern_atom(
            connection.get(), 1, static_cast<std::uint16_t>(kSocketProperty.size()), kSocketProperty.data()),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return {};
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return {};
    const ReplyPtr<xcb_get_property_reply_t> property(xcb_get_property_reply(connection.get(),
        xcb_get_property(connection.get(), 0, screens.data->root, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0,
            kLongestPath / 4),
        nullptr));
    if (!property || property->format != 8)
        return {};
    return {static_cast<const char*>(xcb_get_property_value(property.get())),
        static_cast<size_t>(xcb_get_property_value_length(property.get()))};
}

std::vector<DesktopShortcut> Bindings(const nlohmann::json& reply)
{
    const auto included = reply.find("included_configs");
    if (included == reply.end() || !included->is_array())
        return I3Bindings({reply["config"].get_ref<const std::string&>()}, false);
    std::vector<std::string_view> files;
    for (const nlohmann::json& file : *included) {
        const auto text = file.find("variable_replaced_contents");
        if (!file.is_object() || text == file.end() || !text->is_string())
            throw std::runtime_error("an included configuration holds no text");
        files.push_back(text->get_ref<const std::string&>());
    }
    return I3Bindings(files, true);
}

} // namespace

std::string I3SocketPath()
{
    // sway sets I3SOCK to its own socket, for i3's tools.
    const char* path = std::getenv("I3SOCK");
    const char* sway = std::getenv("SWAYSOCK");
    if (path && *path && !(sway && std::string_view(sway) == path))
        return path;
    return RootWindowSocketPath();
}

DesktopReading ReadI3Shortcuts(std::chrono::milliseconds timeout)
{
    const std::string path = I3SocketPath();
    if (path.empty())
        return {{}, "i3: neither I3SOCK nor the display names its socket"};
    try {
        return {Bindings(RequestConfig(path, Deadline(timeout))), {}};
    } catch (const std::exception& error) {
        return {{}, std::string("i3: ") + error.what()};
    }
}
