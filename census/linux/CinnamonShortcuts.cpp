#include "census/linux/CinnamonShortcuts.h"

#include "census/linux/SettingsKeybindings.h"

#include <array>
#include <string_view>

namespace {

constexpr const char* kKeybindings = "org.cinnamon.desktop.keybindings";
constexpr std::array<const char*, 3> kSchemas = {
    kKeybindings,
    "org.cinnamon.desktop.keybindings.wm",
    "org.cinnamon.desktop.keybindings.media-keys",
};
constexpr const char* kCustomList = "custom-list";
constexpr const char* kCustomSchema = "org.cinnamon.desktop.keybindings.custom-keybinding";
constexpr std::string_view kCustomFolder = "/org/cinnamon/desktop/keybindings/custom-keybindings/";
// Cinnamon's settings keep this entry in the list so that it is never empty.
constexpr std::string_view kPlaceholder = "__dummy__";

// The list is anybody's to write, and GSettings aborts the program on a
// malformed path: a name is one path component.
bool IsCustomName(std::string_view name)
{
    return !name.empty() && name != kPlaceholder && name.find('/') == std::string_view::npos;
}

void AddCustomShortcuts(GSettingsSchemaSource* source, std::vector<DesktopShortcut>& shortcuts)
{
    const GSettingsSchemaPtr list(g_settings_schema_source_lookup(source, kKeybindings, TRUE));
    const GSettingsSchemaPtr schema(g_settings_schema_source_lookup(source, kCustomSchema, TRUE));
    if (!list || !schema)
        return;
    const GObjectPtr<GSettings> keybindings(g_settings_new_full(list.get(), nullptr, nullptr));
    const GStrvPtr names(g_settings_get_strv(keybindings.get(), kCustomList));
    for (gchar** name = names.get(); *name; ++name) {
        if (!IsCustomName(*name))
            continue;
        const std::string path = std::string(kCustomFolder) + *name + "/";
        const GObjectPtr<GSettings> custom(g_settings_new_full(schema.get(), nullptr, path.c_str()));
        DesktopShortcut about;
        about.holder = StringSetting(custom.get(), "name");
        about.action = StringSetting(custom.get(), "command");
        const GVariantPtr binding(g_settings_get_value(custom.get(), "binding"));
        AddAccelerators(AcceleratorsOf(binding.get()), about, shortcuts);
    }
}

} // namespace

DesktopReading ReadCinnamonShortcuts()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return {{}, "GSettings: no schemas are installed"};
    SettleSettings();
    DesktopReading reading;
    for (const char* id : kSchemas)
        AddSchemaKeybindings(source, id, reading.shortcuts, {kCustomList});
    AddCustomShortcuts(source, reading.shortcuts);
    return reading;
}
