#include "census/linux/HyprlandShortcuts.h"

#include "census/core/Combination.h"
#include "census/linux/JsonReply.h"
#include "census/linux/Keysyms.h"
#include "census/linux/UnixSocket.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <utility>

namespace {

// Hyprland's modmask bits: Shift 1, Caps 2, Ctrl 4, Alt 8, Mod2 16, Mod3 32,
// Super 64, Mod5 128.
constexpr auto kModifierBits = std::to_array<std::pair<unsigned, unsigned>>({
    {1, kModShift},
    {4, kModCtrl},
    {8, kModAlt},
    {64, kModWin},
});
constexpr unsigned kCensusBits = 1 | 4 | 8 | 64;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

DesktopShortcut Shortcut(const nlohmann::json& bind)
{
    DesktopShortcut shortcut;
    shortcut.holder = "hyprland";
    shortcut.action = bind.value("dispatcher", "");
    if (const std::string argument = bind.value("arg", ""); !argument.empty())
        shortcut.action += " " + argument;
    if (const std::string submap = bind.value("submap", ""); !submap.empty())
        shortcut.action += " (submap \"" + submap + "\")";

    const unsigned modmask = bind.value("modmask", 0u);
    if ((modmask & ~kCensusBits) != 0) {
        shortcut.error
            = "modmask " + std::to_string(modmask) + " holds modifiers other than Ctrl, Alt, Shift and Super";
        return shortcut;
    }
    for (const auto& [bit, modifier] : kModifierBits) {
        if (modmask & bit)
            shortcut.modifiers |= modifier;
    }
    const std::string key = bind.value("key", "");
    if (key.empty()) {
        const unsigned keycode = bind.value("keycode", 0u);
        SetKey(
            shortcut, DefaultKeymapKeysym(keycode), "keycode " + std::to_string(keycode) + " has no keysym");
    } else {
        SetKey(shortcut, KeysymFromName(key), UnknownKeysym(key));
    }
    return shortcut;
}

std::vector<DesktopShortcut> Bindings(const nlohmann::json& binds)
{
    if (!binds.is_array())
        throw std::runtime_error("the reply is no list of bindings");
    std::vector<DesktopShortcut> shortcuts;
    for (const nlohmann::json& bind : binds) {
        if (!bind.is_object())
            throw std::runtime_error("the reply lists something other than a binding");
        // Buttons and the wheel ("mouse:272", "mouse_down") are no keys; a
        // submap's catch-all takes every key only inside that submap.
        const bool mouse = bind.value("mouse", false) || bind.value("key", "").starts_with("mouse");
        if (!mouse && !bind.value("catch_all", false))
            shortcuts.push_back(Shortcut(bind));
    }
    return shortcuts;
}

std::string HyprlandSocketPath()
{
    const std::string signature = Environment("HYPRLAND_INSTANCE_SIGNATURE");
    if (signature.empty())
        return {};
    const std::filesystem::path socket = std::filesystem::path("hypr") / signature / ".socket.sock";
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    std::error_code error;
    if (!runtime.empty() && std::filesystem::exists(runtime / socket, error))
        return (runtime / socket).string();
    return ("/tmp" / socket).string();
}

} // namespace

DesktopReading ReadHyprlandShortcuts(std::chrono::milliseconds timeout)
{
    const std::string path = HyprlandSocketPath();
    if (path.empty())
        return {{}, "hyprland: HYPRLAND_INSTANCE_SIGNATURE is not set"};
    try {
        UnixSocket hyprland(path, Deadline(timeout));
        hyprland.Send("j/binds");
        return {Bindings(ParseJsonReply(hyprland.ReceiveToEnd())), {}};
    } catch (const std::exception& error) {
        return {{}, std::string("hyprland: ") + error.what()};
    }
}
