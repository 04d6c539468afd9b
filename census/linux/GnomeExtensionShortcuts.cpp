#include "census/linux/GnomeExtensionShortcuts.h"

#include "census/linux/Accelerator.h"
#include "census/linux/SettingsKeybindings.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kShell = "org.gnome.shell";

using SchemaSourcePtr = std::unique_ptr<GSettingsSchemaSource, FreeWith<g_settings_schema_source_unref>>;

std::vector<std::string> Strings(GSettings* settings, const char* key)
{
    const GStrvPtr values(g_settings_get_strv(settings, key));
    return {values.get(), values.get() + g_strv_length(values.get())};
}

// As the shell decides: the user's list, unless the user turned all of
// them off, less those disabled, which win.
std::vector<std::string> EnabledExtensions(GSettingsSchemaSource* source)
{
    const GSettingsSchemaPtr schema(g_settings_schema_source_lookup(source, kShell, TRUE));
    if (!schema)
        return {};
    const GObjectPtr<GSettings> shell(g_settings_new_full(schema.get(), nullptr, nullptr));
    if (g_settings_get_boolean(shell.get(), "disable-user-extensions"))
        return {};
    std::vector<std::string> enabled = Strings(shell.get(), "enabled-extensions");
    if (g_settings_schema_has_key(schema.get(), "disabled-extensions")) {
        const std::vector<std::string> disabled = Strings(shell.get(), "disabled-extensions");
        std::erase_if(enabled, [&](const std::string& uuid) {
            return std::find(disabled.begin(), disabled.end(), uuid) != disabled.end();
        });
    }
    return enabled;
}

// The shell's own search order: the user's extensions, then the system's.
std::vector<std::filesystem::path> ExtensionFolders()
{
    std::vector<std::filesystem::path> folders;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        folders.emplace_back(data);
    else if (const char* home = std::getenv("HOME"); home && *home)
        folders.push_back(std::filesystem::path(home) / ".local" / "share");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::string_view system = dirs && *dirs ? dirs : "/usr/local/share:/usr/share";
    while (!system.empty()) {
        const size_t end = std::min(system.find(':'), system.size());
        if (end > 0)
            folders.emplace_back(system.substr(0, end));
        system.remove_prefix(std::min(end + 1, system.size()));
    }
    for (std::filesystem::path& folder : folders)
        folder = folder / "gnome-shell" / "extensions";
    return folders;
}

std::optional<std::filesystem::path> FindExtension(
    const std::vector<std::filesystem::path>& folders, const std::string& uuid)
{
    // A uuid is one folder's name; the list is anybody's to write.
    if (uuid.empty() || uuid.find('/') != std::string::npos || uuid == "." || uuid == "..")
        return std::nullopt;
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / uuid / "metadata.json", error))
            return folder / uuid;
    }
    return std::nullopt;
}

// True when the value lists accelerators and nothing else.
bool ReadsAsAccelerators(GVariant* value)
{
    const std::vector<std::string> accelerators = AcceleratorsOf(value);
    return !accelerators.empty()
        && std::all_of(accelerators.begin(), accelerators.end(), [](const std::string& text) {
               DesktopShortcut trial;
               SetAcceleratorKey(trial, text);
               return trial.error.empty();
           });
}

// A keybinding key holds accelerators by default, or, where it has no
// default, now. The user's values are rows whatever they are, so that one
// the window manager cannot read shows as such.
void AddKeybindings(
    GSettingsSchema* schema, const std::string& holder, std::vector<DesktopShortcut>& shortcuts)
{
    const GObjectPtr<GSettings> settings(g_settings_new_full(schema, nullptr, nullptr));
    const GStrvPtr keys(g_settings_schema_list_keys(schema));
    for (gchar** key = keys.get(); *key; ++key) {
        const std::unique_ptr<GSettingsSchemaKey, FreeWith<g_settings_schema_key_unref>> about(
            g_settings_schema_get_key(schema, *key));
        if (!g_variant_type_equal(
                g_settings_schema_key_get_value_type(about.get()), G_VARIANT_TYPE_STRING_ARRAY))
            continue;
        const GVariantPtr fallback(g_settings_schema_key_get_default_value(about.get()));
        const GVariantPtr value(g_settings_get_value(settings.get(), *key));
        const bool keybinding = g_variant_n_children(fallback.get()) > 0 ? ReadsAsAccelerators(fallback.get())
                                                                         : ReadsAsAccelerators(value.get());
        if (!keybinding)
            continue;
        DesktopShortcut shortcut;
        shortcut.holder = holder;
        shortcut.action = *key;
        AddAccelerators(AcceleratorsOf(value.get()), shortcut, shortcuts);
    }
}

void AddExtension(GSettingsSchemaSource* system, const std::filesystem::path& folder, const std::string& uuid,
    std::vector<DesktopShortcut>& shortcuts)
{
    const nlohmann::json metadata
        = nlohmann::json::parse(std::ifstream(folder / "metadata.json"), nullptr, false);
    if (!metadata.is_object())
        return;
    const std::string name = metadata.contains("name") && metadata["name"].is_string()
        ? metadata["name"].get<std::string>()
        : uuid;
    // Like the shell's helper for extensions: their own compiled schemas
    // first, over the system's.
    SchemaSourcePtr own;
    const std::filesystem::path schemas = folder / "schemas";
    std::error_code error;
    if (std::filesystem::is_regular_file(schemas / "gschemas.compiled", error))
        own.reset(g_settings_schema_source_new_from_directory(schemas.c_str(), system, FALSE, nullptr));
    GSettingsSchemaSource* source = own ? own.get() : system;

    std::vector<std::string> ids;
    if (metadata.contains("settings-schema") && metadata["settings-schema"].is_string()) {
        ids.push_back(metadata["settings-schema"].get<std::string>());
    } else if (own) {
        gchar** listed = nullptr;
        g_settings_schema_source_list_schemas(own.get(), FALSE, &listed, nullptr);
        const GStrvPtr owned(listed);
        ids.assign(listed, listed + g_strv_length(listed));
    }
    for (const std::string& id : ids) {
        const GSettingsSchemaPtr schema(g_settings_schema_source_lookup(source, id.c_str(), TRUE));
        // Relocatable schemas have no settings of their own to read.
        if (schema && g_settings_schema_get_path(schema.get()))
            AddKeybindings(schema.get(), name, shortcuts);
    }
}

} // namespace

void AddGnomeExtensionShortcuts(std::vector<DesktopShortcut>& shortcuts)
{
    GSettingsSchemaSource* system = g_settings_schema_source_get_default();
    if (!system)
        return;
    const std::vector<std::filesystem::path> folders = ExtensionFolders();
    for (const std::string& uuid : EnabledExtensions(system)) {
        if (const std::optional<std::filesystem::path> folder = FindExtension(folders, uuid))
            AddExtension(system, *folder, uuid, shortcuts);
    }
}
