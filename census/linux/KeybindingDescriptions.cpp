#include "census/linux/KeybindingDescriptions.h"

#include "census/linux/GLibHandles.h"

#include <cstring>
#include <filesystem>
#include <string_view>

namespace {

constexpr const char* kCatalogue = "/usr/share/gnome-control-center/keybindings";

struct Catalogue
{
    KeybindingDescriptions& descriptions;
    std::string schema; // of the file, which an entry may override
};

const char* Attribute(const gchar** names, const gchar** values, std::string_view wanted)
{
    for (; *names; ++names, ++values) {
        if (wanted == *names)
            return *values;
    }
    return nullptr;
}

void StartElement(GMarkupParseContext*, const gchar* element, const gchar** names, const gchar** values,
    gpointer data, GError**)
{
    Catalogue& catalogue = *static_cast<Catalogue*>(data);
    const char* schema = Attribute(names, values, "schema");
    if (std::strcmp(element, "KeyListEntries") == 0 && schema)
        catalogue.schema = schema;
    if (std::strcmp(element, "KeyListEntry") != 0)
        return;
    const char* name = Attribute(names, values, "name");
    const char* description = Attribute(names, values, "description");
    if (name && description)
        catalogue.descriptions[{schema ? schema : catalogue.schema, name}] = description;
}

} // namespace

KeybindingDescriptions ReadKeybindingDescriptions()
{
    KeybindingDescriptions descriptions;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(kCatalogue, error)) {
        if (entry.path().extension() != ".xml")
            continue;
        gchar* raw = nullptr;
        gsize length = 0;
        if (!g_file_get_contents(entry.path().c_str(), &raw, &length, nullptr))
            continue;
        const GCharPtr text(raw);
        Catalogue catalogue{descriptions, {}};
        const GMarkupParser parser{StartElement, nullptr, nullptr, nullptr, nullptr};
        const std::unique_ptr<GMarkupParseContext, FreeWith<g_markup_parse_context_free>> context(
            g_markup_parse_context_new(&parser, G_MARKUP_DEFAULT_FLAGS, &catalogue, nullptr));
        g_markup_parse_context_parse(context.get(), text.get(), static_cast<gssize>(length), nullptr);
    }
    return descriptions;
}
