#include "census/linux/SettingsKeybindings.h"

#include "census/linux/Accelerator.h"

#include <algorithm>

std::vector<std::string> AcceleratorsOf(GVariant* value)
{
    std::vector<std::string> accelerators;
    if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING)) {
        accelerators.emplace_back(g_variant_get_string(value, nullptr));
    } else if (g_variant_is_of_type(value, G_VARIANT_TYPE_STRING_ARRAY)) {
        GVariantIter iterator;
        g_variant_iter_init(&iterator, value);
        const char* accelerator = nullptr;
        while (g_variant_iter_next(&iterator, "&s", &accelerator))
            accelerators.emplace_back(accelerator);
    }
    std::erase_if(accelerators, [](const std::string& accelerator) { return IsNoAccelerator(accelerator); });
    return accelerators;
}

void AddAccelerators(const std::vector<std::string>& accelerators, const DesktopShortcut& about,
    std::vector<DesktopShortcut>& shortcuts)
{
    for (const std::string& accelerator : accelerators) {
        DesktopShortcut shortcut = about;
        SetAcceleratorKey(shortcut, accelerator);
        shortcuts.push_back(std::move(shortcut));
    }
}

void AddSchemaKeybindings(GSettingsSchemaSource* source, const char* id,
    std::vector<DesktopShortcut>& shortcuts, const std::vector<std::string>& skipped)
{
    const GSettingsSchemaPtr schema(g_settings_schema_source_lookup(source, id, TRUE));
    if (!schema)
        return;
    const GObjectPtr<GSettings> settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    const GStrvPtr keys(g_settings_schema_list_keys(schema.get()));
    for (gchar** key = keys.get(); *key; ++key) {
        if (std::find(skipped.begin(), skipped.end(), *key) != skipped.end())
            continue;
        DesktopShortcut about;
        about.holder = id;
        about.action = *key;
        const GVariantPtr value(g_settings_get_value(settings.get(), *key));
        AddAccelerators(AcceleratorsOf(value.get()), about, shortcuts);
    }
}

std::string StringSetting(GSettings* settings, const char* key)
{
    const GCharPtr text(g_settings_get_string(settings, key));
    return text.get();
}

void SettleSettings()
{
    while (g_main_context_iteration(nullptr, FALSE)) { }
}
