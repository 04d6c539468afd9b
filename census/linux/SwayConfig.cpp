#include "census/linux/SwayConfig.h"

#include "census/core/Combination.h"
#include "census/core/CombinationText.h"
#include "census/linux/Keysyms.h"
#include "census/linux/WmConfigWords.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <unordered_map>
#include <utility>

using namespace wmconfig;

namespace {

enum class Dialect
{
    sway,
    i3,
};

constexpr std::string_view kDefaultMode = "default";

// The modifiers both readers know, by name in any case. 0 stands for the
// modifiers (Lock, Mod2, Mod3, Mod5) that no combination of the census has;
// their bits keep bindings that differ only by them apart.
struct Modifier
{
    std::string_view name;
    unsigned bit;
    unsigned modifier;
};
constexpr auto kModifiers = std::to_array<Modifier>({
    {"Shift", 1u << 0, kModShift},
    {"Lock", 1u << 1, 0},
    {"Control", 1u << 2, kModCtrl},
    {"Ctrl", 1u << 2, kModCtrl},
    {"Mod1", 1u << 3, kModAlt},
    {"Alt", 1u << 3, kModAlt},
    {"Mod2", 1u << 4, 0},
    {"Mod3", 1u << 5, 0},
    {"Mod4", 1u << 6, kModWin},
    {"Mod5", 1u << 7, 0},
});

// Of sway's flags, those that make a binding another binding.
constexpr auto kDistinctFlags = std::to_array<std::string_view>({"--release", "--locked", "--inhibited"});
constexpr auto kSwayFlags = std::to_array<std::string_view>({"--release", "--locked", "--inhibited",
    "--whole-window", "--border", "--to-code", "--exclude-titlebar", "--no-warn", "--no-repeat"});
constexpr auto kSwayMouseFlags
    = std::to_array<std::string_view>({"--whole-window", "--border", "--exclude-titlebar"});
constexpr auto kI3Flags
    = std::to_array<std::string_view>({"--release", "--border", "--whole-window", "--exclude-titlebar"});
constexpr std::string_view kInputDeviceFlag = "--input-device=";

// Evdev's button codes, which sway takes a bindcode for before a keycode.
constexpr std::array<std::pair<unsigned, unsigned>, 3> kButtonCodes
    = {{{0x100, 0x151}, {0x220, 0x223}, {0x2c0, 0x2e7}}};

template <size_t N> bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

bool IsButtonCode(std::string_view word)
{
    unsigned code = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), code);
    if (error != std::errc() || end != word.data() + word.size())
        return false;
    return std::any_of(kButtonCodes.begin(), kButtonCodes.end(),
        [&](const auto& range) { return code >= range.first && code <= range.second; });
}

bool IsButtonName(std::string_view word)
{
    return (word.size() >= 6 && EqualsIgnoringCase(word.substr(0, 6), "button")) || word.starts_with("BTN_");
}

const Modifier* FindModifier(std::string_view name)
{
    const auto found = std::find_if(kModifiers.begin(), kModifiers.end(),
        [&](const Modifier& known) { return EqualsIgnoringCase(known.name, name); });
    return found == kModifiers.end() ? nullptr : &*found;
}

// A binding as the reader has taken it apart.
struct Binding
{
    bool byCode = false;
    unsigned rawModifiers = 0;  // the bits of kModifiers
    unsigned group = 0;         // 0: any
    std::vector<unsigned> keys; // keysyms or, by code, keycodes; sorted
    std::string error;
    std::vector<std::string> qualifiers; // the mode other than the default, the flags
};

class ConfigReader
{
public:
    explicit ConfigReader(Dialect dialect) : m_dialect(dialect) { }

    void Read(std::string_view text)
    {
        std::vector<std::pair<std::string_view, bool>> lines; // each with whether a line break ends it
        while (!text.empty()) {
            const size_t end = text.find('\n');
            lines.emplace_back(text.substr(0, end), end != std::string_view::npos);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        for (size_t i = 0; i < lines.size(); ++i) {
            std::string line(lines[i].first);
            bool broken = lines[i].second;
            while (broken && line.ends_with('\\') && !IsComment(line) && i + 1 < lines.size()) {
                line.pop_back();
                line += lines[++i].first;
                broken = lines[i].second;
            }
            const std::string_view stripped = Strip(line);
            if (stripped.empty() || stripped.starts_with('#'))
                continue;
            std::string command(stripped);
            // A block's brace may stand alone on the next line that is not blank.
            if (!command.ends_with('{') && !command.ends_with('}')) {
                size_t next = i + 1;
                while (next < lines.size() && Strip(lines[next].first).empty())
                    ++next;
                if (next < lines.size() && Strip(lines[next].first) == "{") {
                    command += " {";
                    i = next;
                }
            }
            Line(command);
        }
    }

    std::vector<DesktopShortcut> Take()
    {
        std::vector<DesktopShortcut> shortcuts;
        for (std::optional<DesktopShortcut>& shortcut : m_shortcuts) {
            if (shortcut)
                shortcuts.push_back(std::move(*shortcut));
        }
        return shortcuts;
    }

    // i3 replaces its variables in the whole text before reading it: the
    // nearest name ignoring case, of two there the one set last.
    static std::string ReplaceI3Variables(std::string_view text)
    {
        std::vector<std::pair<std::string, std::string>> variables;
        for (std::string_view rest = text; !rest.empty();) {
            const size_t end = rest.find('\n');
            std::string_view line = Strip(rest.substr(0, end));
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            if (!EqualsIgnoringCase(NextWord(line), "set"))
                continue;
            line = Strip(line);
            const size_t gap = line.find_first_of(" \t");
            if (line.starts_with('$') && gap != std::string_view::npos)
                variables.emplace(variables.begin(), line.substr(0, gap), Strip(line.substr(gap)));
        }
        std::string replaced;
        for (size_t i = 0; i < text.size();) {
            const auto variable
                = std::find_if(variables.begin(), variables.end(), [&](const auto& candidate) {
                      return EqualsIgnoringCase(text.substr(i, candidate.first.size()), candidate.first);
                  });
            if (text[i] != '$' || variable == variables.end()) {
                replaced += text[i++];
                continue;
            }
            replaced += variable->second;
            i += variable->first.size();
        }
        return replaced;
    }

private:
    bool IsComment(std::string_view line) const
    {
        return m_dialect == Dialect::sway ? line.starts_with('#') : Strip(line).starts_with('#');
    }

    void Line(const std::string& line)
    {
        const std::string expanded = m_blocks.empty() ? line : m_blocks.back() + " " + line;
        if (m_dialect == Dialect::i3) {
            I3Command(expanded);
            return;
        }
        std::vector<std::string> words = SplitArgs(expanded);
        if (words.empty())
            return;
        if (words.size() > 1 && words.back() == "{") {
            words.pop_back();
            m_blocks.push_back(JoinArgs(words, 0));
            return;
        }
        if (words.back() == "}") {
            if (!m_blocks.empty())
                m_blocks.pop_back();
            return;
        }
        if (m_blocks.empty() && OpensBlock(words)) {
            m_blocks.push_back(JoinArgs(words, 0));
            return;
        }
        SwayCommand(std::move(words));
    }

    // The text sway reports lacks a block's "{" that stood on a line of its
    // own: sway took that line as the brace and left it out. What remains is
    // a command that only a block makes sense of: "mode name", "bar",
    // "bindsym" with flags alone.
    static bool OpensBlock(const std::vector<std::string>& words)
    {
        const auto last = std::find_if(
            words.begin() + 1, words.end(), [](const std::string& word) { return !word.starts_with("--"); });
        const auto named = static_cast<size_t>(words.end() - last);
        if (EqualsIgnoringCase(words[0], "mode"))
            return named == 1;
        if (EqualsIgnoringCase(words[0], "bar"))
            return named <= 1;
        return IsBindingVerb(words[0]) && named == 0;
    }

    void SwayCommand(std::vector<std::string> words)
    {
        if (words[0].starts_with('$')) {
            words[0] = Substitute(words[0]);
            words = SplitArgs(JoinArgs(words, 0));
            if (words.empty())
                return;
        }
        const std::string verb = words[0];
        const bool isSet = EqualsIgnoringCase(verb, "set");
        // The name that "set" defines is not replaced by a shorter one.
        if (isSet && words.size() > 1 && words[1].starts_with('$'))
            words[1].insert(0, 1, '$');
        const std::string joined = JoinArgs(words, 0);
        if (std::string substituted = Substitute(joined); substituted != joined)
            words = SplitArgs(substituted);
        const bool keepsQuotes = isSet || EqualsIgnoringCase(verb, "mode") || EqualsIgnoringCase(verb, "exec")
            || EqualsIgnoringCase(verb, "exec_always") || EqualsIgnoringCase(verb, "for_window")
            || IsBindingVerb(verb);
        for (size_t i = isSet ? 2 : 1; i < words.size(); ++i) {
            if (!keepsQuotes && (words[i].starts_with('"') || words[i].starts_with('\'')))
                words[i] = StripQuotes(words[i]);
            words[i] = Unescape(words[i]);
        }
        if (isSet) {
            if (words.size() > 2)
                Set(words[1].starts_with('$') ? words[1] : "$" + words[1], JoinArgs(words, 2));
            return;
        }
        // "mode [--pango_markup] name bindsym …", as a block's lines read.
        size_t at = 0;
        std::string mode(kDefaultMode);
        if (EqualsIgnoringCase(verb, "mode")) {
            at = words.size() > 1 && words[1] == "--pango_markup" ? 2 : 1;
            if (at + 1 >= words.size())
                return;
            mode = StripQuotes(words[at++]);
        }
        if (IsBindingVerb(words[at]))
            SwayBinding(words[at], mode, {words.begin() + static_cast<std::ptrdiff_t>(at) + 1, words.end()});
    }

    static bool IsBindingVerb(std::string_view verb)
    {
        return EqualsIgnoringCase(verb, "bindsym") || EqualsIgnoringCase(verb, "bindcode")
            || EqualsIgnoringCase(verb, "unbindsym") || EqualsIgnoringCase(verb, "unbindcode");
    }

    void SwayBinding(std::string_view verb, const std::string& mode, const std::vector<std::string>& words)
    {
        const bool unbind = verb.size() > 2 && EqualsIgnoringCase(verb.substr(0, 2), "un");
        Binding binding;
        binding.byCode = EqualsIgnoringCase(verb.substr(verb.size() - 4), "code");
        if (mode != kDefaultMode)
            binding.qualifiers.push_back("mode \"" + mode + "\"");
        std::string distinct;
        std::string input = "*";
        bool toCode = false;
        size_t next = 0;
        for (; next < words.size(); ++next) {
            const std::string& word = words[next];
            if (word.starts_with(kInputDeviceFlag))
                input = StripQuotes(word.substr(kInputDeviceFlag.size()));
            else if (IsOneOf(word, kSwayMouseFlags))
                return; // a mouse binding
            else if (!IsOneOf(word, kSwayFlags))
                break;
            if (IsOneOf(word, kDistinctFlags))
                distinct += word;
            toCode = toCode || word == "--to-code";
            if (word != "--no-warn")
                binding.qualifiers.push_back(word);
        }
        if (words.size() - next < (unbind ? 1u : 2u))
            return;
        if (!SwayKeys(words[next], binding))
            return;
        if (toCode && !binding.byCode)
            TranslateToCodes(binding);
        std::string identity = mode + '\n' + (binding.byCode ? "code" : "sym") + '\n' + input + '\n'
            + distinct + '\n' + std::to_string(binding.group) + '\n' + std::to_string(binding.rawModifiers);
        for (const unsigned key : binding.keys)
            identity += ' ' + std::to_string(key);
        if (!binding.error.empty())
            identity += '\n' + words[next];
        if (unbind) {
            Remove(identity);
            return;
        }
        Put(std::move(identity), Shortcut(binding, JoinArgs(words, next + 1)), true);
    }

    // "Mod4+Shift+q", "Group2+a", "Mod4+38"; false for a mouse button or a
    // combination that sway refuses.
    static bool SwayKeys(std::string_view combination, Binding& binding)
    {
        while (!combination.empty()) {
            const size_t end = std::min(combination.find('+'), combination.size());
            const std::string_view part = combination.substr(0, end);
            combination.remove_prefix(std::min(end + 1, combination.size()));
            if (part.empty())
                continue;
            if (part.starts_with("Group")) {
                unsigned group = 0;
                const auto [last, error] = std::from_chars(part.data() + 5, part.data() + part.size(), group);
                if (binding.group || error != std::errc() || last != part.data() + part.size() || group < 1
                    || group > 4)
                    return false;
                binding.group = group;
                continue;
            }
            if (part == "Mode_switch") {
                if (binding.group)
                    return false;
                binding.group = 2;
            }
            if (const Modifier* modifier = FindModifier(part)) {
                binding.rawModifiers |= modifier->bit;
                continue;
            }
            if (binding.keys.empty() && (binding.byCode ? IsButtonCode(part) : IsButtonName(part)))
                return false;
            binding.keys.push_back(binding.byCode ? Keycode(part) : KeysymFromNameIgnoringCase(part));
            if (binding.keys.back() == 0 && binding.error.empty())
                binding.error
                    = binding.byCode ? "keycode " + QuotedLine(part) + " is no number" : UnknownKeysym(part);
        }
        std::sort(binding.keys.begin(), binding.keys.end());
        return true;
    }

    static unsigned Keycode(std::string_view text)
    {
        unsigned keycode = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), keycode);
        return error == std::errc() && end == text.data() + text.size() ? keycode : 0;
    }

    // --to-code: each keysym to the one key that gives it on the keyboard;
    // when one has no such key, the binding stays a bindsym.
    static void TranslateToCodes(Binding& binding)
    {
        std::vector<unsigned> codes;
        for (const unsigned keysym : binding.keys) {
            const std::optional<unsigned> code = DefaultKeymapKeycode(keysym);
            if (!code)
                return;
            codes.push_back(*code);
        }
        std::sort(codes.begin(), codes.end());
        binding.keys = std::move(codes);
        binding.byCode = true;
    }

    void I3Command(std::string_view line)
    {
        const std::string_view stripped = Strip(line);
        if (stripped.ends_with('{')) {
            m_blocks.emplace_back(Strip(stripped.substr(0, stripped.size() - 1)));
            return;
        }
        if (stripped.ends_with('}')) {
            if (!m_blocks.empty())
                m_blocks.pop_back();
            return;
        }
        std::string_view rest = stripped;
        const std::string_view verb = NextWord(rest);
        std::string mode(kDefaultMode);
        std::string_view bindVerb = verb;
        if (EqualsIgnoringCase(verb, "mode")) {
            std::string_view name = NextWord(rest);
            if (name == "--pango_markup")
                name = NextWord(rest);
            mode = name;
            bindVerb = NextWord(rest);
        }
        if (EqualsIgnoringCase(bindVerb, "bindsym") || EqualsIgnoringCase(bindVerb, "bindcode"))
            I3Binding(EqualsIgnoringCase(bindVerb, "bindcode"), mode, rest);
    }

    void I3Binding(bool byCode, const std::string& mode, std::string_view rest)
    {
        Binding binding;
        binding.byCode = byCode;
        if (mode != kDefaultMode)
            binding.qualifiers.push_back("mode \"" + mode + "\"");
        bool release = false;
        std::string_view combination = NextWord(rest);
        while (combination.starts_with("--")) {
            if (!IsOneOf(combination, kI3Flags))
                return; // i3 refuses the line
            release = release || combination == "--release";
            binding.qualifiers.emplace_back(combination);
            combination = NextWord(rest);
        }
        const size_t plus = combination.rfind('+');
        const std::string_view key = combination.substr(plus == std::string_view::npos ? 0 : plus + 1);
        if (!byCode && key.size() >= 6 && EqualsIgnoringCase(key.substr(0, 6), "button"))
            return; // a mouse binding
        for (std::string_view names = combination.substr(0, combination.size() - key.size());
             !names.empty();) {
            const size_t end = names.find('+');
            const std::string_view name = names.substr(0, end);
            names.remove_prefix(end + 1);
            if (const Modifier* modifier = FindModifier(name); modifier && name != "Alt")
                binding.rawModifiers |= modifier->bit;
            else if (!EqualsIgnoringCase(name, "Group1"))
                binding.error = QuotedLine(name) + " is none of Ctrl, Alt, Shift and Mod4";
        }
        binding.keys = {byCode ? Keycode(key) : KeysymFromExactName(key)};
        const unsigned keysym = byCode ? DefaultKeymapKeysym(binding.keys[0]) : binding.keys[0];
        if (keysym == 0 && binding.error.empty())
            binding.error = byCode ? "keycode " + QuotedLine(key) + " has no keysym" : UnknownKeysym(key);
        // i3 matches keycodes: a bindsym and a bindcode of one key are the same.
        const std::string identity = mode + '\n' + (release ? "release" : "") + '\n'
            + std::to_string(binding.rawModifiers) + '\n'
            + (binding.error.empty() ? std::to_string(keysym) : std::string(combination));
        Put(identity, Shortcut(binding, std::string(Strip(rest))), false);
    }

    DesktopShortcut Shortcut(const Binding& binding, std::string command) const
    {
        DesktopShortcut shortcut;
        shortcut.holder = m_dialect == Dialect::sway ? "sway" : "i3";
        shortcut.action = std::move(command);
        for (size_t i = 0; i < binding.qualifiers.size(); ++i)
            shortcut.action += (i == 0 ? " (" : ", ") + binding.qualifiers[i]
                + (i + 1 == binding.qualifiers.size() ? ")" : "");
        for (const Modifier& modifier : kModifiers) {
            if (!(binding.rawModifiers & modifier.bit))
                continue;
            if (modifier.modifier == 0) {
                shortcut.error = QuotedLine(modifier.name) + " is none of Ctrl, Alt, Shift and Mod4";
                return shortcut;
            }
            shortcut.modifiers |= modifier.modifier;
        }
        if (binding.group > 1) {
            shortcut.error
                = "a binding of layout group " + std::to_string(binding.group) + " is no combination";
            return shortcut;
        }
        if (!binding.error.empty()) {
            shortcut.error = binding.error;
            return shortcut;
        }
        if (binding.keys.size() != 1) {
            shortcut.error = binding.keys.empty() ? "the binding names no key"
                                                  : "a chord of several keys is no combination";
            return shortcut;
        }
        if (binding.byCode)
            SetKey(shortcut, DefaultKeymapKeysym(binding.keys[0]),
                "keycode " + std::to_string(binding.keys[0]) + " has no keysym");
        else
            SetKey(shortcut, binding.keys[0], "the key has no keysym");
        return shortcut;
    }

    // A binding that is the same as an earlier one replaces it in place
    // (sway), or is ignored (i3, which acts on the first).
    void Put(std::string identity, DesktopShortcut shortcut, bool replaces)
    {
        const auto [known, added] = m_positions.try_emplace(std::move(identity), m_shortcuts.size());
        if (added)
            m_shortcuts.emplace_back(std::move(shortcut));
        else if (replaces)
            m_shortcuts[known->second] = std::move(shortcut);
    }

    void Remove(const std::string& identity)
    {
        const auto known = m_positions.find(identity);
        if (known == m_positions.end())
            return;
        m_shortcuts[known->second].reset();
        m_positions.erase(known);
    }

    void Set(std::string name, std::string value)
    {
        const auto known = std::find_if(m_variables.begin(), m_variables.end(),
            [&](const auto& variable) { return variable.first == name; });
        if (known != m_variables.end())
            known->second = std::move(value);
        else
            m_variables.emplace_back(std::move(name), std::move(value));
        // Where one name begins another, the longer one wins.
        std::stable_sort(m_variables.begin(), m_variables.end(),
            [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    }

    // sway's replacement: "\$" stays, "$$" is "$", else the longest name.
    std::string Substitute(std::string_view text) const
    {
        std::string result;
        for (size_t i = 0; i < text.size();) {
            const bool escaped = i > 0 && text[i - 1] == '\\' && !(i > 1 && text[i - 2] == '\\');
            if (text[i] != '$' || escaped) {
                result += text[i++];
                continue;
            }
            if (i + 1 < text.size() && text[i + 1] == '$') {
                result += '$';
                i += 2;
                continue;
            }
            const auto variable = std::find_if(m_variables.begin(), m_variables.end(),
                [&](const auto& candidate) { return text.substr(i).starts_with(candidate.first); });
            if (variable == m_variables.end()) {
                result += text[i++];
                continue;
            }
            result += variable->second;
            i += variable->first.size();
        }
        return result;
    }

    Dialect m_dialect;
    std::vector<std::string> m_blocks; // the words each open block puts before its lines
    std::vector<std::pair<std::string, std::string>> m_variables; // longest name first
    std::vector<std::optional<DesktopShortcut>> m_shortcuts; // in the order first bound; empty once unbound
    std::unordered_map<std::string, size_t> m_positions;     // by what makes bindings the same
};

} // namespace

std::vector<DesktopShortcut> SwayBindings(std::string_view config)
{
    ConfigReader reader(Dialect::sway);
    reader.Read(config);
    return reader.Take();
}

std::vector<DesktopShortcut> I3Bindings(const std::vector<std::string_view>& files, bool replaced)
{
    ConfigReader reader(Dialect::i3);
    for (const std::string_view file : files)
        reader.Read(replaced ? std::string(file) : ConfigReader::ReplaceI3Variables(file));
    return reader.Take();
}
