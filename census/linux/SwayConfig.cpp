#include "census/linux/SwayConfig.h"

#include "census/core/Combination.h"
#include "census/core/CombinationText.h"
#include "census/linux/Keysyms.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace {

constexpr std::string_view kBlanks = " \t\r";
constexpr std::string_view kDefaultMode = "default";

// Sway's own modifier names. 0 stands for the modifiers (Lock, Mod2, Mod3,
// Mod5) that no combination of the census has.
constexpr auto kModifiers = std::to_array<std::pair<std::string_view, unsigned>>({
    {"Shift", kModShift},
    {"Control", kModCtrl},
    {"Ctrl", kModCtrl},
    {"Mod1", kModAlt},
    {"Alt", kModAlt},
    {"Mod4", kModWin},
    {"Lock", 0},
    {"Mod2", 0},
    {"Mod3", 0},
    {"Mod5", 0},
});

std::string_view Trim(std::string_view text)
{
    const size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

// The next word, its quotes taken off, and what follows it.
std::string_view NextWord(std::string_view& rest)
{
    rest = Trim(rest);
    if (rest.empty())
        return {};
    if (rest[0] == '"' || rest[0] == '\'') {
        const size_t end = rest.find(rest[0], 1);
        const std::string_view word = rest.substr(1, end == std::string_view::npos ? end : end - 1);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        return word;
    }
    const size_t end = std::min(rest.find_first_of(kBlanks), rest.size());
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

bool IsMouseButton(std::string_view key)
{
    const bool numbered = key.size() > 6 && EqualsIgnoringCase(key.substr(0, 6), "button");
    return numbered || key.starts_with("BTN_");
}

class SwayReader
{
public:
    void Line(std::string_view line)
    {
        line = Trim(line);
        if (line.empty() || line.starts_with('#'))
            return;
        if (line == "}") {
            if (!m_blocks.empty())
                m_blocks.pop_back();
            return;
        }
        std::string command
            = m_blocks.empty() ? std::string(line) : m_blocks.back() + " " + std::string(line);
        if (command.ends_with('{')) {
            command.pop_back();
            m_blocks.emplace_back(Trim(command));
            return;
        }
        Command(command);
    }

    std::vector<DesktopShortcut> Take()
    {
        std::vector<DesktopShortcut> shortcuts;
        for (auto& binding : m_bindings)
            shortcuts.push_back(std::move(binding.second));
        return shortcuts;
    }

private:
    void Command(std::string_view command)
    {
        std::string_view rest = command;
        const std::string_view verb = NextWord(rest);
        if (verb == "set") {
            const std::string_view name = NextWord(rest);
            if (name.starts_with('$'))
                Set(std::string(name), Substitute(Trim(rest)));
            return;
        }
        const std::string expanded = Substitute(command);
        rest = expanded;
        std::string_view mode = kDefaultMode;
        std::string_view word = NextWord(rest);
        if (word == "mode") {
            mode = NextWord(rest);
            if (mode == "--pango_markup")
                mode = NextWord(rest);
            word = NextWord(rest);
        }
        if (word == "bindsym" || word == "bindcode" || word == "unbindsym" || word == "unbindcode")
            Binding(word, mode, rest);
    }

    // bindsym, bindcode, and their undoing: unbindsym, unbindcode.
    void Binding(std::string_view verb, std::string_view mode, std::string_view rest)
    {
        const bool byCode = verb.ends_with("code");
        std::vector<std::string> qualifiers;
        if (mode != kDefaultMode)
            qualifiers.push_back("mode \"" + std::string(mode) + "\"");
        std::string_view combination = NextWord(rest);
        bool release = false;
        while (combination.starts_with("--")) {
            release = release || combination == "--release";
            qualifiers.emplace_back(combination);
            combination = NextWord(rest);
        }
        const std::string_view key = combination.substr(combination.rfind('+') + 1);
        if (!byCode && IsMouseButton(key))
            return;

        DesktopShortcut shortcut = Keys(byCode, combination, key);
        // Sway keeps one binding per mode, kind, release and keys: a later one
        // replaces it.
        const std::string identity = std::string(mode) + '\n' + (byCode ? "code" : "sym")
            + (release ? "-up " : " ") + std::to_string(shortcut.modifiers) + " "
            + (shortcut.keysym ? std::to_string(shortcut.keysym) : std::string(combination));
        const auto same = std::find_if(m_bindings.begin(), m_bindings.end(),
            [&](const auto& binding) { return binding.first == identity; });
        if (verb.starts_with("un")) {
            if (same != m_bindings.end())
                m_bindings.erase(same);
            return;
        }
        shortcut.action = std::string(Trim(rest));
        for (size_t i = 0; i < qualifiers.size(); ++i)
            shortcut.action
                += (i == 0 ? " (" : ", ") + qualifiers[i] + (i + 1 == qualifiers.size() ? ")" : "");
        if (same != m_bindings.end())
            same->second = std::move(shortcut);
        else
            m_bindings.emplace_back(identity, std::move(shortcut));
    }

    // The shortcut of "Mod4+Shift+q" or, by code, "Mod4+24".
    static DesktopShortcut Keys(bool byCode, std::string_view combination, std::string_view key)
    {
        DesktopShortcut shortcut;
        shortcut.holder = "sway";
        if (!SetModifiers(shortcut, combination.substr(0, combination.size() - key.size())))
            return shortcut;
        if (byCode)
            SetKey(shortcut, DefaultKeymapKeysym(Keycode(key)),
                "keycode " + std::string(key) + " has no keysym");
        else
            SetKey(shortcut, KeysymFromName(key), UnknownKeysym(key));
        return shortcut;
    }

    static unsigned Keycode(std::string_view text)
    {
        unsigned keycode = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), keycode);
        return error == std::errc() && end == text.data() + text.size() ? keycode : 0;
    }

    // "Mod4+Shift+": each name followed by "+".
    static bool SetModifiers(DesktopShortcut& shortcut, std::string_view names)
    {
        while (!names.empty()) {
            const size_t end = names.find('+');
            const std::string_view name = names.substr(0, end);
            names.remove_prefix(end + 1);
            const auto modifier = std::find_if(kModifiers.begin(), kModifiers.end(),
                [&](const auto& known) { return EqualsIgnoringCase(known.first, name); });
            if (modifier == kModifiers.end() || modifier->second == 0) {
                shortcut.error = "\"" + std::string(name) + "\" is none of Ctrl, Alt, Shift and Mod4";
                return false;
            }
            shortcut.modifiers |= modifier->second;
        }
        return true;
    }

    void Set(std::string name, std::string value)
    {
        const auto known = std::find_if(m_variables.begin(), m_variables.end(),
            [&](const auto& variable) { return variable.first == name; });
        if (known != m_variables.end())
            known->second = std::move(value);
        else
            m_variables.emplace_back(std::move(name), std::move(value));
        // Like sway: where one name begins another, the longer one wins.
        std::stable_sort(m_variables.begin(), m_variables.end(),
            [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    }

    std::string Substitute(std::string_view text) const
    {
        std::string result;
        while (!text.empty()) {
            const auto variable = std::find_if(m_variables.begin(), m_variables.end(),
                [&](const auto& candidate) { return text.starts_with(candidate.first); });
            if (variable != m_variables.end()) {
                result += variable->second;
                text.remove_prefix(variable->first.size());
            } else {
                result += text.front();
                text.remove_prefix(1);
            }
        }
        return result;
    }

    std::vector<std::string> m_blocks; // the words each open block puts before its lines
    std::vector<std::pair<std::string, std::string>> m_variables;    // longest name first
    std::vector<std::pair<std::string, DesktopShortcut>> m_bindings; // by what makes them the same
};

} // namespace

std::vector<DesktopShortcut> SwayBindings(std::string_view config)
{
    SwayReader reader;
    std::string line;
    while (!config.empty()) {
        const size_t end = std::min(config.find('\n'), config.size());
        const std::string_view piece = config.substr(0, end);
        config.remove_prefix(std::min(end + 1, config.size()));
        // A backslash at the end joins the next line to this one.
        if (piece.ends_with('\\')) {
            line += piece.substr(0, piece.size() - 1);
            continue;
        }
        line += piece;
        reader.Line(line);
        line.clear();
    }
    reader.Line(line);
    return reader.Take();
}
