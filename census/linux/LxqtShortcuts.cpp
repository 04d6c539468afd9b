#include "census/linux/LxqtShortcuts.h"

#include "census/linux/LxqtKeys.h"
#include "census/linux/SessionBus.h"

#include <stdexcept>
#include <string_view>

namespace {

constexpr const char* kDaemonName = "lxqt-globalkeysd";
constexpr std::string_view kCommand = "command";

std::string HolderOf(const std::string& description)
{
    return description.empty() ? kDaemonName : description;
}

std::vector<DesktopShortcut> ReadActions(const SessionBus& bus)
{
    const GVariantPtr reply = bus.Call(kLxqtDaemon, "/daemon", "org.lxqt.global_key_shortcuts.daemon",
        "getAllActions", nullptr, "(a{t(ssbss)})");
    std::vector<DesktopShortcut> shortcuts;
    GVariantIter* iterator = nullptr;
    g_variant_get(reply.get(), "(a{t(ssbss)})", &iterator);
    guint64 id = 0;
    const char* text = nullptr;
    const char* description = nullptr;
    gboolean enabled = FALSE;
    const char* type = nullptr;
    const char* info = nullptr;
    while (
        g_variant_iter_next(iterator, "{t(&s&sb&s&s)}", &id, &text, &description, &enabled, &type, &info)) {
        // The daemon lets go of a disabled action's key.
        if (!enabled)
            continue;
        DesktopShortcut shortcut;
        shortcut.holder = HolderOf(description);
        shortcut.action = type == kCommand ? info : std::string(type) + " " + info;
        SetLxqtShortcutKey(shortcut, text);
        shortcuts.push_back(std::move(shortcut));
    }
    g_variant_iter_free(iterator);
    return shortcuts;
}

} // namespace

DesktopReading ReadLxqtShortcuts(std::chrono::milliseconds timeout)
{
    try {
        const SessionBus bus{Deadline(timeout)};
        return {ReadActions(bus), {}};
    } catch (const std::runtime_error& error) {
        return {{}, std::string(kDaemonName) + ": " + error.what()};
    }
}
