#include "census/windows/PowerToysSettings.h"

#include "census/core/CombinationText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <stdexcept>

using nlohmann::json;

namespace {

// The modules whose settings folder or readable name differ from their key;
// any other module's folder and name are its key.
const std::array<PowerToysModule, 18> kModules = {{
    {"File Explorer Preview", "File Explorer", "File Explorer add-ons"},
    {"ColorPicker", "ColorPicker", "Color Picker"},
    {"CropAndLock", "CropAndLock", "Crop And Lock"},
    {"AlwaysOnTop", "AlwaysOnTop", "Always On Top"},
    {"AdvancedPaste", "AdvancedPaste", "Advanced Paste"},
    {"TextExtractor", "TextExtractor", "Text Extractor"},
    {"QuickAccent", "QuickAccent", "Quick Accent"},
    {"Measure Tool", "Measure Tool", "Screen Ruler"},
    {"FindMyMouse", "FindMyMouse", "Find My Mouse"},
    {"MouseHighlighter", "MouseHighlighter", "Mouse Highlighter"},
    {"MouseJump", "MouseJump", "Mouse Jump"},
    {"MousePointerCrosshairs", "MousePointerCrosshairs", "Mouse Pointer Crosshairs"},
    {"MouseWithoutBorders", "MouseWithoutBorders", "Mouse Without Borders"},
    {"RegistryPreview", "RegistryPreview", "Registry Preview"},
    {"EnvironmentVariables", "EnvironmentVariables", "Environment Variables"},
    {"Hosts", "Hosts", "Hosts File Editor"},
    {"CmdPal", "CmdPal", "Command Palette"},
    {"Video Conference", "Video Conference", "Video Conference Mute"},
}};

// Keyboard Manager's codes beside the virtual keys: Win on either side, and
// a key remapped to nothing.
constexpr unsigned kEitherWin = 0x104;
constexpr unsigned kDisabled = 0x100;
constexpr char kDefaultConfiguration[] = "default";

// The properties that make an object a shortcut.
constexpr std::array<const char*, 6> kShortcutProperties = {"win", "ctrl", "alt", "shift", "code", "key"};

json Parsed(std::string_view text)
{
    // Comments are no JSON, and PowerToys writes none.
    return json::parse(text.begin(), text.end(), nullptr, true, false);
}

void Expect(bool condition, const char* what)
{
    if (!condition)
        throw std::runtime_error(what);
}

PowerToysModule ModuleOfKey(const std::string& key)
{
    for (const PowerToysModule& module : kModules) {
        if (module.key == key)
            return module;
    }
    return {key, key, key};
}

bool IsShortcut(const json& value)
{
    if (!value.is_object())
        return false;
    for (const char* property : kShortcutProperties) {
        if (!value.contains(property))
            return false;
    }
    return value["code"].is_number_unsigned() && value["win"].is_boolean() && value["ctrl"].is_boolean()
        && value["alt"].is_boolean() && value["shift"].is_boolean();
}

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

// The words of a property name: at separators, and where a capital starts a
// word ("activationShortcut", "PowerOCRShortcut").
std::vector<std::string> Words(std::string_view name)
{
    std::vector<std::string> words(1);
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '_' || c == '-' || c == ' ') {
            words.emplace_back();
            continue;
        }
        const bool afterLower = i > 0 && IsLower(name[i - 1]);
        const bool endsCapitals
            = i > 0 && IsUpper(name[i - 1]) && i + 1 < name.size() && IsLower(name[i + 1]);
        if (IsUpper(c) && (afterLower || endsCapitals))
            words.emplace_back();
        words.back() += c;
    }
    std::erase_if(words, [](const std::string& word) { return word.empty(); });
    return words;
}

// "ActivationShortcut", "open_powerlauncher" read "Activation shortcut",
// "Open powerlauncher"; a word of capitals (OCR) stays as it is.
std::string Readable(std::string_view name)
{
    std::string text;
    for (std::string word : Words(name)) {
        const bool capitals
            = word.size() > 1 && std::all_of(word.begin(), word.end(), [](char c) { return !IsLower(c); });
        if (!capitals) {
            for (char& c : word)
                c = IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
        }
        if (text.empty() && IsLower(word[0]))
            word[0] = static_cast<char>(word[0] - 'a' + 'A');
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

// A shortcut is named after the property that holds it, made readable;
// "value" wraps a setting's value and names nothing. An entry of a list with
// a name of its own ("name": "Paste as Markdown") names the shortcuts within
// it as it is.
void FindShortcuts(
    const json& value, const std::string& name, bool inList, std::vector<PowerToysShortcut>& found)
{
    if (IsShortcut(value)) {
        const unsigned key = value["code"].get<unsigned>();
        if (key == 0 || key > 255)
            return;
        unsigned modifiers = 0;
        modifiers |= value["win"].get<bool>() ? kModWin : 0;
        modifiers |= value["ctrl"].get<bool>() ? kModCtrl : 0;
        modifiers |= value["alt"].get<bool>() ? kModAlt : 0;
        modifiers |= value["shift"].get<bool>() ? kModShift : 0;
        found.push_back({{{key, modifiers}}, name});
    } else if (value.is_object()) {
        const auto own = value.find("name");
        const bool named = inList && own != value.end() && own->is_string();
        for (const auto& [property, member] : value.items()) {
            const std::string memberName = named ? own->get<std::string>()
                : property == "value"            ? name
                                                 : Readable(property);
            FindShortcuts(member, memberName, false, found);
        }
    } else if (value.is_array()) {
        for (const json& element : value)
            FindShortcuts(element, name, true, found);
    }
}

// "17;18;77": the virtual keys of a remap, modifiers first.
std::vector<unsigned> KeyCodes(const std::string& text)
{
    std::vector<unsigned> keys;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(start, end - start);
        Expect(!part.empty() && part.find_first_not_of("0123456789") == std::string::npos && part.size() < 6,
            "a key list that is not \"code;code;…\"");
        keys.push_back(static_cast<unsigned>(std::stoul(part)));
        start = end + 1;
    }
    return keys;
}

unsigned ModifierOf(unsigned key)
{
    switch (key) {
    case 0x10:
    case 0xA0:
    case 0xA1:
        return kModShift;
    case 0x11:
    case 0xA2:
    case 0xA3:
        return kModCtrl;
    case 0x12:
    case 0xA4:
    case 0xA5:
        return kModAlt;
    case 0x5B:
    case 0x5C:
    case kEitherWin:
        return kModWin;
    default:
        return 0;
    }
}

// The combination of a remapped shortcut: its modifiers, then its key.
Combination ShortcutCombination(const std::vector<unsigned>& keys)
{
    Combination combo{0, 0};
    for (unsigned key : keys) {
        const unsigned modifier = ModifierOf(key);
        combo.modifiers |= modifier;
        if (!modifier)
            combo.key = key;
    }
    Expect(combo.key >= 1 && combo.key <= 255, "a remapped shortcut without a key");
    return combo;
}

std::string KeysText(const std::vector<unsigned>& keys, KeyTextOf keyText)
{
    if (keys.size() == 1) {
        Expect(keys[0] == kEitherWin || (keys[0] >= 1 && keys[0] <= 255), "a remap to no key");
        return keys[0] == kEitherWin ? "Win" : keyText(keys[0]);
    }
    const Combination combo = ShortcutCombination(keys);
    return CombinationText(combo.modifiers, keyText(combo.key));
}

std::string StringOf(const json& remap, const char* property)
{
    const auto found = remap.find(property);
    return found != remap.end() && found->is_string() ? found->get<std::string>() : std::string();
}

// What a remap does: the keys or text sent, the program run, the address opened.
std::string Target(const json& remap, KeyTextOf keyText)
{
    const auto operation = remap.find("operationType");
    const int type = operation != remap.end() && operation->is_number() ? operation->get<int>() : 0;
    if (type == 1) {
        const std::string arguments = StringOf(remap, "runProgramArgs");
        return "Runs " + StringOf(remap, "runProgramFilePath") + (arguments.empty() ? "" : " " + arguments);
    }
    if (type == 2)
        return "Opens " + StringOf(remap, "openUri");
    const std::string keys = StringOf(remap, "newRemapKeys");
    if (!keys.empty()) {
        const std::vector<unsigned> target = KeyCodes(keys);
        return target == std::vector<unsigned>{kDisabled} ? "Disabled"
                                                          : "Remapped to " + KeysText(target, keyText);
    }
    return "Types \"" + StringOf(remap, "unicodeText") + "\"";
}

const json& Array(const json& group, const char* name)
{
    static const json empty = json::array();
    const auto found = group.find(name);
    if (found == group.end())
        return empty;
    Expect(found->is_array(), "a list of remaps that is no list");
    return *found;
}

} // namespace

std::vector<PowerToysModule> EnabledPowerToysModules(std::string_view generalSettings)
{
    const json settings = Parsed(generalSettings);
    Expect(settings.is_object() && settings.contains("enabled") && settings["enabled"].is_object(),
        "no \"enabled\" map of modules");
    std::vector<PowerToysModule> modules;
    for (const auto& [key, enabled] : settings["enabled"].items()) {
        if (enabled.is_boolean() && enabled.get<bool>())
            modules.push_back(ModuleOfKey(key));
    }
    return modules;
}

std::vector<PowerToysShortcut> ModuleShortcuts(std::string_view moduleSettings)
{
    std::vector<PowerToysShortcut> found;
    FindShortcuts(Parsed(moduleSettings), "Shortcut", false, found);
    return found;
}

std::string ActiveKeyboardConfiguration(std::string_view keyboardManagerSettings)
{
    const json settings = Parsed(keyboardManagerSettings);
    const json::json_pointer path("/properties/activeConfiguration/value");
    // Keyboard Manager falls back on its default configuration.
    if (!settings.is_object() || !settings.contains(path))
        return kDefaultConfiguration;
    Expect(settings[path].is_string(), "an active configuration that is no name");
    const std::string name = settings[path].get<std::string>();
    // A name, never a path: the file lies beside the settings.
    Expect(!name.empty() && name.find_first_of("\\/:") == std::string::npos,
        "an active configuration that is no name");
    return name;
}

std::vector<PowerToysShortcut> KeyboardManagerRemaps(std::string_view configuration, KeyTextOf keyText)
{
    const json remaps = Parsed(configuration);
    Expect(remaps.is_object(), "a configuration that is no object");
    std::vector<PowerToysShortcut> found;
    // remapKeys, remapKeysToText; remapShortcuts, remapShortcutsToText and
    // what later versions add beside them in the same forms.
    for (const auto& [group, members] : remaps.items()) {
        const bool keys = group.starts_with("remapKeys");
        if (!members.is_object() || !(keys || group.starts_with("remapShortcuts")))
            continue;
        for (const json& remap : Array(members, keys ? "inProcess" : "global")) {
            Expect(remap.is_object() && remap.contains("originalKeys") && remap["originalKeys"].is_string(),
                "a remap without original keys");
            const std::vector<unsigned> original = KeyCodes(remap["originalKeys"].get<std::string>());
            PowerToysShortcut shortcut{{}, Target(remap, keyText)};
            if (keys) {
                Expect(original.size() == 1 && original[0] >= 1 && original[0] <= 255,
                    "a key remap of several keys");
                // The key itself is gone, whatever is held with it.
                for (unsigned modifiers = 0; modifiers <= kAllModifiers; ++modifiers)
                    shortcut.combos.push_back({original[0], modifiers});
                shortcut.action += " (in every combination)";
            } else {
                shortcut.combos.push_back(ShortcutCombination(original));
                const auto chord = remap.find("secondKeyOfChord");
                if (chord != remap.end() && chord->is_number_unsigned() && chord->get<unsigned>() != 0
                    && chord->get<unsigned>() <= 255)
                    shortcut.action += " (then " + keyText(chord->get<unsigned>()) + ")";
            }
            found.push_back(std::move(shortcut));
        }
    }
    return found;
}
