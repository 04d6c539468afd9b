#include "census/linux/LxqtShortcuts.h"

#include "census/linux/LxqtKeys.h"
#include "census/linux/SessionBus.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace {

constexpr const char* kDaemonName = "lxqt-globalkeysd";
constexpr std::string_view kCommand = "command";

// What the daemon holds: its shortcuts' texts, and the description and
// command of each action.
struct Held
{
    std::set<std::string> shortcuts;
    std::set<std::pair<std::string, std::string>> actions;
};

std::string HolderOf(const std::string& description) { return description.empty() ? kDaemonName : description; }

Held ReadActions(const SessionBus& bus, std::vector<DesktopShortcut>& shortcuts)
{
    const GVariantPtr reply = bus.Call(kLxqtDaemon, "/daemon", "org.lxqt.global_key_shortcuts.daemon",
        "getAllActions", nullptr, "(a{t(ssbss)})");
    Held held;
    GVariantIter* iterator = nullptr;
    g_variant_get(reply.get(), "(a{t(ssbss)})", &iterator);
    guint64 id = 0;
    const char* text = nullptr;
    const char* description = nullptr;
    gboolean enabled = FALSE;
    const char* type = nullptr;
    const char* info = nullptr;
    while (g_variant_iter_next(iterator, "{t(&s&sb&s&s)}", &id, &text, &description, &enabled, &type, &info)) {
        held.shortcuts.insert(text);
        held.actions.emplace(description, info);
        DesktopShortcut shortcut;
        shortcut.holder = HolderOf(description);
        shortcut.action = type == kCommand ? info : std::string(type) + " " + info;
        if (!enabled)
            shortcut.action += " (disabled)";
        SetLxqtShortcutKey(shortcut, text);
        shortcuts.push_back(std::move(shortcut));
    }
    g_variant_iter_free(iterator);
    return held;
}

int HexDigit(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

void AppendUtf8(std::string& text, unsigned codePoint)
{
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xc0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3f));
    } else {
        text += static_cast<char>(0xe0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3f));
        text += static_cast<char>(0x80 | (codePoint & 0x3f));
    }
}

// A section's name as the daemon's settings file escapes it: "%2B" for "+".
std::string UnescapedSection(std::string_view name)
{
    std::string text;
    for (size_t at = 0; at < name.size(); ++at) {
        if (name[at] == '%' && at + 2 < name.size() && HexDigit(name[at + 1]) >= 0 && HexDigit(name[at + 2]) >= 0) {
            text += static_cast<char>(HexDigit(name[at + 1]) * 16 + HexDigit(name[at + 2]));
            at += 2;
        } else {
            text += name[at];
        }
    }
    return text;
}

// A value as Qt's settings files write one: quotes around parts, "\x263a"
// for characters, a backslash before others; a list's items parted by ", ",
// here joined by spaces as the daemon shows a command.
std::string UnescapedValue(std::string_view value)
{
    std::string text;
    bool quoted = false;
    for (size_t at = 0; at < value.size(); ++at) {
        const char c = value[at];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            text += ' ';
            if (at + 1 < value.size() && value[at + 1] == ' ')
                ++at;
        } else if (c == '\\' && at + 1 < value.size() && value[at + 1] == 'x') {
            unsigned codePoint = 0;
            size_t digits = 0;
            for (; digits < 4 && at + 2 + digits < value.size() && HexDigit(value[at + 2 + digits]) >= 0; ++digits)
                codePoint = codePoint * 16 + static_cast<unsigned>(HexDigit(value[at + 2 + digits]));
            AppendUtf8(text, codePoint);
            at += 1 + digits;
        } else if (c == '\\' && at + 1 < value.size()) {
            text += value[++at];
        } else {
            text += c;
        }
    }
    return text;
}

// One section of the configuration: "[Control%2BAlt%2BT.1]" names the
// shortcut and the action's number.
struct ConfiguredShortcut
{
    std::string shortcut;
    std::string description;
    std::string command;
};

std::vector<ConfiguredShortcut> ReadConfiguration()
{
    std::vector<ConfiguredShortcut> configured;
    std::ifstream file(LxqtConfiguration());
    std::string line;
    bool inShortcut = false;
    while (std::getline(file, line)) {
        if (line.starts_with('[') && line.ends_with(']')) {
            const std::string name = UnescapedSection(std::string_view(line).substr(1, line.size() - 2));
            const size_t dot = name.rfind('.');
            inShortcut = name != "General" && dot != std::string::npos && dot > 0;
            if (inShortcut)
                configured.push_back({name.substr(0, dot), {}, {}});
            continue;
        }
        const size_t equals = line.find('=');
        if (!inShortcut || equals == std::string::npos)
            continue;
        const std::string_view key = std::string_view(line).substr(0, equals);
        const std::string value = UnescapedValue(std::string_view(line).substr(equals + 1));
        if (key == "Comment")
            configured.back().description = value;
        else if (key == "Exec")
            configured.back().command = value;
    }
    return configured;
}

// The daemon drops an action whose key it cannot grab, and so does its
// answer; the configuration keeps it. It writes some keys by other names
// than the configuration ("plus" becomes "equal", the key it lies on), so an
// action counts as held by its description and command too.
void AddUngrabbed(const Held& held, std::vector<DesktopShortcut>& shortcuts)
{
    for (const ConfiguredShortcut& configured : ReadConfiguration()) {
        if (held.shortcuts.contains(configured.shortcut)
            || held.actions.contains({configured.description, configured.command}))
            continue;
        DesktopShortcut shortcut;
        shortcut.holder = HolderOf(configured.description);
        shortcut.action = configured.command + " (configured, but " + kDaemonName
            + " could not grab it: another program holds the key, or no key has it)";
        SetLxqtShortcutKey(shortcut, configured.shortcut);
        shortcuts.push_back(std::move(shortcut));
    }
}

} // namespace

std::filesystem::path LxqtConfiguration()
{
    std::filesystem::path folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        folder = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::filesystem::path(home) / ".config";
    else
        return {};
    return folder / "lxqt" / "globalkeyshortcuts.conf";
}

DesktopReading ReadLxqtShortcuts(std::chrono::milliseconds timeout)
{
    try {
        const SessionBus bus{Deadline(timeout)};
        DesktopReading reading;
        const Held held = ReadActions(bus, reading.shortcuts);
        AddUngrabbed(held, reading.shortcuts);
        return reading;
    } catch (const std::runtime_error& error) {
        return {{}, std::string(kDaemonName) + ": " + error.what()};
    }
}
