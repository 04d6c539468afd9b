#include "census/linux/KdeShortcuts.h"

#include "census/linux/Keysyms.h"
#include "census/linux/QtKeys.h"
#include "census/linux/SessionBus.h"

#include <sstream>
#include <stdexcept>

namespace {

constexpr const char* kService = "org.kde.kglobalaccel";
constexpr const char* kComponentInterface = "org.kde.kglobalaccel.Component";
constexpr std::string_view kDefaultContext = "default";

std::string OrElse(const char* text, const char* fallback) { return *text ? text : fallback; }

std::string QtKeyText(int key)
{
    std::ostringstream text;
    text << "Qt key 0x" << std::hex << static_cast<unsigned>(key);
    return text.str();
}

// One row per key of each (ssssssaiai): action id and friendly name, component
// id and friendly name, context id and friendly name, keys, default keys.
void AddShortcuts(GVariant* infos, std::vector<DesktopShortcut>& shortcuts)
{
    GVariantIter iterator;
    g_variant_iter_init(&iterator, infos);
    const char* actionId = nullptr;
    const char* actionName = nullptr;
    const char* componentId = nullptr;
    const char* componentName = nullptr;
    const char* contextId = nullptr;
    const char* contextName = nullptr;
    GVariantIter* keys = nullptr;
    while (g_variant_iter_loop(&iterator, "(&s&s&s&s&s&saiai)", &actionId, &actionName, &componentId,
        &componentName, &contextId, &contextName, &keys, nullptr)) {
        DesktopShortcut shortcut;
        shortcut.holder
            = *componentName ? std::string(componentName) + " (" + componentId + ")" : componentId;
        shortcut.action = OrElse(actionName, actionId);
        if (contextId != kDefaultContext)
            shortcut.action += " (context " + OrElse(contextName, contextId) + ")";
        gint32 key = 0;
        while (g_variant_iter_next(keys, "i", &key)) {
            if (key == 0)
                continue;
            const QtChord chord = ChordFromQt(key);
            DesktopShortcut row = shortcut;
            row.modifiers = chord.modifiers;
            SetKey(row, chord.keysym, QtKeyText(key) + " has no keysym");
            shortcuts.push_back(std::move(row));
        }
    }
}

std::vector<DesktopShortcut> ReadAll(const SessionBus& bus)
{
    std::vector<DesktopShortcut> shortcuts;
    const GVariantPtr components
        = bus.Call(kService, "/kglobalaccel", "org.kde.KGlobalAccel", "allComponents", nullptr, "(ao)");
    const GVariantPtr paths(g_variant_get_child_value(components.get(), 0));
    GVariantIter iterator;
    g_variant_iter_init(&iterator, paths.get());
    const char* path = nullptr;
    while (g_variant_iter_next(&iterator, "&o", &path)) {
        const GVariantPtr contexts
            = bus.Call(kService, path, kComponentInterface, "getShortcutContexts", nullptr, "(as)");
        const GVariantPtr contextArray(g_variant_get_child_value(contexts.get(), 0));
        const GStrvPtr names(g_variant_dup_strv(contextArray.get(), nullptr));
        for (gchar** context = names.get(); *context; ++context) {
            const GVariantPtr infos = bus.Call(kService, path, kComponentInterface, "allShortcutInfos",
                g_variant_new("(s)", *context), "(a(ssssssaiai))");
            const GVariantPtr infoArray(g_variant_get_child_value(infos.get(), 0));
            AddShortcuts(infoArray.get(), shortcuts);
        }
    }
    return shortcuts;
}

} // namespace

DesktopReading ReadKdeShortcuts(std::chrono::milliseconds timeout)
{
    try {
        const SessionBus bus{Deadline(timeout)};
        return {ReadAll(bus), {}};
    } catch (const std::runtime_error& error) {
        return {{}, std::string("kglobalaccel: ") + error.what()};
    }
}
