#include "census/linux/MateShortcuts.h"

#include "census/linux/SettingsKeybindings.h"

extern "C"
{
#include <dconf.h>
}

#include <array>

namespace {

constexpr std::array<const char*, 3> kSchemas = {
    "org.mate.Marco.global-keybindings",
    "org.mate.Marco.window-keybindings",
    "org.mate.SettingsDaemon.plugins.media-keys",
};
// The settings daemon takes each folder here for a custom shortcut, whatever
// its name, and reads its keys as the settings of that folder.
constexpr const char* kCustomFolder = "/org/mate/desktop/keybindings/";

std::string DconfString(DConfClient* client, const std::string& key)
{
    const GVariantPtr value(dconf_client_read(client, key.c_str()));
    if (!value || !g_variant_is_of_type(value.get(), G_VARIANT_TYPE_STRING))
        return {};
    return g_variant_get_string(value.get(), nullptr);
}

void AddCustomShortcuts(std::vector<DesktopShortcut>& shortcuts)
{
    const GObjectPtr<DConfClient> client(dconf_client_new());
    const GStrvPtr names(dconf_client_list(client.get(), kCustomFolder, nullptr));
    for (gchar** name = names.get(); *name; ++name) {
        const std::string folder = kCustomFolder + std::string(*name);
        if (!folder.ends_with('/'))
            continue; // a key, not a folder
        DesktopShortcut about;
        about.holder = DconfString(client.get(), folder + "name");
        about.action = DconfString(client.get(), folder + "action");
        const GVariantPtr binding(dconf_client_read(client.get(), (folder + "binding").c_str()));
        if (binding)
            AddAccelerators(AcceleratorsOf(binding.get()), about, shortcuts);
    }
}

} // namespace

DesktopReading ReadMateShortcuts()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return {{}, "GSettings: no schemas are installed"};
    SettleSettings();
    DesktopReading reading;
    for (const char* id : kSchemas)
        AddSchemaKeybindings(source, id, reading.shortcuts);
    AddCustomShortcuts(reading.shortcuts);
    return reading;
}
