#include "census/linux/XfceShortcuts.h"

#include "census/linux/GtkAccelerator.h"
#include "census/linux/SessionBus.h"

#include <array>
#include <map>
#include <stdexcept>
#include <string_view>

namespace {

constexpr const char* kService = "org.xfce.Xfconf";
constexpr const char* kChannel = "xfce4-keyboard-shortcuts";

struct Provider
{
    std::string_view name; // its properties' first component
    const char* holder;
};
constexpr std::array<Provider, 2> kProviders = {{
    {"commands", "xfsettingsd"},
    {"xfwm4", "xfwm4"},
}};

using Properties = std::map<std::string, GVariantPtr, std::less<>>;

Properties ReadChannel(const SessionBus& bus)
{
    const GVariantPtr reply = bus.Call(kService, "/org/xfce/Xfconf", "org.xfce.Xfconf", "GetAllProperties",
        g_variant_new("(ss)", kChannel, "/"), "(a{sv})");
    Properties properties;
    GVariantIter* iterator = nullptr;
    g_variant_get(reply.get(), "(a{sv})", &iterator);
    const char* name = nullptr;
    GVariant* value = nullptr;
    while (g_variant_iter_next(iterator, "{&sv}", &name, &value))
        properties.emplace(name, GVariantPtr(value));
    g_variant_iter_free(iterator);
    return properties;
}

// Each provider copies its default branch into its custom one the first time
// it runs, and from then on reads only the custom branch, which its
// "override" property marks as in use.
std::string ActiveBranch(const Properties& properties, std::string_view provider)
{
    const std::string custom = "/" + std::string(provider) + "/custom/";
    const auto override = properties.find(custom + "override");
    const bool customised = override != properties.end()
        && g_variant_is_of_type(override->second.get(), G_VARIANT_TYPE_BOOLEAN)
        && g_variant_get_boolean(override->second.get());
    return customised ? custom : "/" + std::string(provider) + "/default/";
}

// Like the providers, a shortcut is a string property directly in the branch
// with a command; the other properties (override, a shortcut's
// startup-notify) hold none.
void AddProvider(
    const Properties& properties, const Provider& provider, std::vector<DesktopShortcut>& shortcuts)
{
    const std::string branch = ActiveBranch(properties, provider.name);
    for (auto property = properties.lower_bound(branch);
         property != properties.end() && property->first.starts_with(branch); ++property) {
        const std::string_view accelerator = std::string_view(property->first).substr(branch.size());
        GVariant* value = property->second.get();
        if (accelerator.empty() || accelerator.find('/') != std::string_view::npos
            || !g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
            continue;
        DesktopShortcut shortcut;
        shortcut.holder = provider.holder;
        shortcut.action = g_variant_get_string(value, nullptr);
        if (shortcut.action.empty())
            continue;
        SetGtkAcceleratorKey(shortcut, accelerator);
        shortcuts.push_back(std::move(shortcut));
    }
}

} // namespace

DesktopReading ReadXfceShortcuts(std::chrono::milliseconds timeout)
{
    try {
        const SessionBus bus{Deadline(timeout)};
        const Properties properties = ReadChannel(bus);
        DesktopReading reading;
        for (const Provider& provider : kProviders)
            AddProvider(properties, provider, reading.shortcuts);
        return reading;
    } catch (const std::runtime_error& error) {
        return {{}, std::string("xfconfd: ") + error.what()};
    }
}
