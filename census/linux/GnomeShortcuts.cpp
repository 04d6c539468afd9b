#include "census/linux/GnomeShortcuts.h"

#include "census/linux/Accelerator.h"
#include "census/linux/GLibHandles.h"
#include "census/linux/KeybindingDescriptions.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kMediaKeys = "org.gnome.settings-daemon.plugins.media-keys";
constexpr std::array<const char*, 5> kSchemas = {
    "org.gnome.desktop.wm.keybindings",
    "org.gnome.shell.keybindings",
    "org.gnome.mutter.keybindings",
    "org.gnome.mutter.wayland.keybindings",
    kMediaKeys,
};
constexpr const char* kCustomList = "custom-keybindings";
constexpr const char* kCustomSchema = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";

void AddShortcut(
    std::string_view accelerator, const DesktopShortcut& about, std::vector<DesktopShortcut>& shortcuts)
{
    if (IsNoAccelerator(accelerator))
        return;
    DesktopShortcut shortcut = about;
    SetAcceleratorKey(shortcut, accelerator);
    shortcuts.push_back(std::move(shortcut));
}

// A key's value is one accelerator or a list of them; other keys hold no
// shortcut.
void AddShortcuts(GVariant* value, const DesktopShortcut& about, std::vector<DesktopShortcut>& shortcuts)
{
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) {
        AddShortcut(g_variant_get_string(value, nullptr), about, shortcuts);
        return;
    }
    if (!g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY))
        return;
    GVariantIter iterator;
    g_variant_iter_init(&iterator, value);
    const char* accelerator = nullptr;
    while (g_variant_iter_next(&iterator, "&s", &accelerator))
        AddShortcut(accelerator, about, shortcuts);
}

void AddSchema(GSettingsSchema* schema, GSettings* settings, const KeybindingDescriptions& descriptions,
    std::vector<DesktopShortcut>& shortcuts)
{
    const char* id = g_settings_schema_get_id(schema);
    const GStrvPtr keys(g_settings_schema_list_keys(schema));
    for (gchar** key = keys.get(); *key; ++key) {
        if (std::strcmp(*key, kCustomList) == 0)
            continue;
        DesktopShortcut about;
        about.holder = id;
        about.action = *key;
        if (const auto description = descriptions.find({id, *key}); description != descriptions.end())
            about.action += " (" + description->second + ")";
        const GVariantPtr value(g_settings_get_value(settings, *key));
        AddShortcuts(value.get(), about, shortcuts);
    }
}

// GSettings aborts the program on a malformed path, and the list is anybody's
// to write: "/" at both ends and no empty component.
bool IsValidPath(std::string_view path)
{
    return path.size() > 1 && path.starts_with('/') && path.ends_with('/')
        && path.find("//") == std::string_view::npos;
}

std::string StringOf(GSettings* settings, const char* key)
{
    const GCharPtr text(g_settings_get_string(settings, key));
    return text.get();
}

void AddCustomShortcuts(
    GSettingsSchemaSource* source, GSettings* mediaKeys, std::vector<DesktopShortcut>& shortcuts)
{
    const GSettingsSchemaPtr schema(g_settings_schema_source_lookup(source, kCustomSchema, TRUE));
    if (!schema)
        return;
    const GStrvPtr paths(g_settings_get_strv(mediaKeys, kCustomList));
    for (gchar** path = paths.get(); *path; ++path) {
        if (!IsValidPath(*path))
            continue;
        const GObjectPtr<GSettings> custom(g_settings_new_full(schema.get(), nullptr, *path));
        DesktopShortcut about;
        about.holder = StringOf(custom.get(), "name");
        about.action = StringOf(custom.get(), "command");
        AddShortcut(StringOf(custom.get(), "binding"), about, shortcuts);
    }
}

} // namespace

DesktopReading ReadGnomeShortcuts()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return {{}, "GSettings: no schemas are installed"};
    // A backend that watches its store (the keyfile one) learns of changes
    // through this thread's main loop, which nothing else runs: a watch would
    // read the first values for ever.
    while (g_main_context_iteration(nullptr, FALSE)) { }
    const KeybindingDescriptions descriptions = ReadKeybindingDescriptions();
    DesktopReading reading;
    for (const char* id : kSchemas) {
        const GSettingsSchemaPtr schema(g_settings_schema_source_lookup(source, id, TRUE));
        if (!schema)
            continue;
        const GObjectPtr<GSettings> settings(g_settings_new_full(schema.get(), nullptr, nullptr));
        AddSchema(schema.get(), settings.get(), descriptions, reading.shortcuts);
        if (std::strcmp(id, kMediaKeys) == 0)
            AddCustomShortcuts(source, settings.get(), reading.shortcuts);
    }
    return reading;
}
