#include "census/windows/AutoHotkeyScript.h"

#include "census/core/CombinationText.h"
#include "census/windows/AutoHotkeyKeys.h"
#include "census/windows/CompiledScript.h"
#include "census/windows/FileBytes.h"
#include "win32/WideText.h"

#include <windows.h>
#include <shlobj.h>

#include <array>
#include <memory>
#include <optional>
#include <set>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
// Includes nest no deeper in any sane script; a deeper chain is a loop of #IncludeAgain.
constexpr int kDeepestInclude = 32;

// The directives that make the hotkey labels below them hold only where a
// condition is met; one alone ends the condition.
constexpr std::array<std::string_view, 6> kConditionDirectives
    = {"#If", "#IfWinActive", "#IfWinExist", "#IfWinNotActive", "#IfWinNotExist", "#HotIf"};
// The same for the Hotkey command, in version 1's and version 2's forms.
constexpr std::array<std::string_view, 5> kHotkeyConditions
    = {"If", "IfWinActive", "IfWinExist", "IfWinNotActive", "IfWinNotExist"};
constexpr std::array<std::string_view, 5> kHotIfFunctions
    = {"HotIf", "HotIfWinActive", "HotIfWinExist", "HotIfWinNotActive", "HotIfWinNotExist"};
// Words that open a line the way a function definition does, and are none.
constexpr std::array<std::string_view, 10> kFlowWords
    = {"if", "while", "loop", "for", "switch", "return", "until", "catch", "else", "try"};

template <size_t N> bool OneOf(std::string_view word, const std::array<std::string_view, N>& words)
{
    for (std::string_view candidate : words) {
        if (EqualsIgnoringCase(word, candidate))
            return true;
    }
    return false;
}

bool IsNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
        || static_cast<unsigned char>(c) >= 0x80;
}

// A comment starts with a semicolon at the start of a line or after a space or tab.
std::string_view WithoutComment(std::string_view line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ';' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t'))
            return line.substr(0, i);
    }
    return line;
}

std::string_view Unquoted(std::string_view text)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

// A quoted literal and nothing else: "^+F11" but not "^" . key.
std::optional<std::string_view> StringLiteral(std::string_view text)
{
    const std::string_view inner = Unquoted(text);
    if (inner.size() + 2 != text.size() || inner.find(text.front()) != std::string_view::npos)
        return std::nullopt;
    return inner;
}

// The arguments of a command or call, split at the commas outside quotes and
// brackets; a backtick escapes the character after it.
std::vector<std::string_view> Arguments(std::string_view text, bool quotesGroup)
{
    std::vector<std::string_view> arguments;
    int depth = 0;
    char quote = 0;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '`') {
            ++i;
        } else if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (quotesGroup && (c == '"' || c == '\'')) {
            quote = c;
        } else if (c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if (c == ')' || c == ']' || c == '}') {
            --depth;
        } else if (c == ',' && depth == 0) {
            arguments.push_back(Trimmed(text.substr(start, i - start)));
            start = i + 1;
        }
    }
    arguments.push_back(Trimmed(text.substr(start)));
    return arguments;
}

// "Name(" opening a line names a function being defined (or called, which
// names the action as well).
std::optional<std::string> FunctionName(std::string_view code)
{
    size_t length = 0;
    while (length < code.size() && IsNameCharacter(code[length]))
        ++length;
    if (length == 0 || length >= code.size() || code[length] != '('
        || OneOf(code.substr(0, length), kFlowWords))
        return std::nullopt;
    return std::string(code.substr(0, length));
}

std::string Folded(std::wstring text)
{
    ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return Utf8FromWide(text);
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    return full.empty() ? path : full;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/")); }

bool IsRelative(const std::wstring& path)
{
    return !(path.size() >= 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\')));
}

bool IsProgram(const std::wstring& path)
{
    return path.size() > 4
        && ::CompareStringOrdinal(path.c_str() + path.size() - 4, 4, L".exe", 4, TRUE) == CSTR_EQUAL;
}

DWORD Attributes(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

bool Exists(const std::wstring& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring KnownFolder(const KNOWNFOLDERID& id)
{
    wchar_t* path = nullptr;
    const HRESULT located = ::SHGetKnownFolderPath(id, 0, nullptr, &path);
    const std::unique_ptr<wchar_t, decltype(&::CoTaskMemFree)> owned(path, ::CoTaskMemFree);
    return SUCCEEDED(located) ? std::wstring(path) : std::wstring();
}

std::wstring Environment(const std::wstring& name)
{
    const DWORD size = ::GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    value.resize(::GetEnvironmentVariableW(name.c_str(), value.data(), size));
    return value;
}

// A line of a file, written "<file>:<line>" only for what is found there.
struct LinePlace
{
    const std::string& file;
    unsigned line;

    std::string Text() const { return file + ":" + std::to_string(line); }
};

// A label that waits for the line that says what it does.
struct PendingLabel
{
    HotkeyLabel label;
    std::string text;
    std::string place;
    std::string condition;
};

class ScriptReader
{
public:
    explicit ScriptReader(const ScriptPlace& script)
        : m_script(script), m_includeFolder(FolderOf(script.path))
    {
    }

    ScriptReading Read()
    {
        // A compiled script's title names its program, which carries the
        // script with its includes already in place.
        const FileBytes file
            = IsProgram(m_script.path) ? ReadCompiledScript(m_script.path) : ReadFileBytes(m_script.path);
        if (!file.read)
            m_reading.failures.push_back({Utf8FromWide(m_script.path), file.error});
        else
            ReadText(FullPath(m_script.path), ScriptText(file.bytes, m_script.majorVersion), 0);
        return std::move(m_reading);
    }

private:
    void ReadText(const std::wstring& path, std::string_view text, int depth)
    {
        m_read.insert(Folded(path));
        const std::string file = Utf8FromWide(path);
        bool inComment = false;
        bool inContinuation = false;
        unsigned number = 0;
        for (size_t start = 0; start <= text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            std::string_view line = text.substr(start, end - start);
            start = end + 1;
            ++number;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            const std::string_view trimmed = Trimmed(line);
            if (inComment) {
                inComment = !(trimmed.starts_with("*/") || trimmed.ends_with("*/"));
                continue;
            }
            if (inContinuation) {
                inContinuation = !trimmed.starts_with(")");
                continue;
            }
            if (trimmed.starts_with("/*")) {
                inComment = !(trimmed.size() >= 4 && trimmed.ends_with("*/"));
                continue;
            }
            const std::string_view code = Trimmed(WithoutComment(trimmed));
            if (code.empty())
                continue;
            if (code.front() == '(' && code.find(')') == std::string_view::npos) {
                inContinuation = true;
                continue;
            }
            const LinePlace place{file, number};
            if (code.front() == ':')
                ResolvePending({}); // a hotstring
            else if (Label(code, place))
                continue;
            else if (code.front() == '#')
                Directive(code, path, place, depth);
            else if (!HotkeyCommand(code, place))
                ResolvePending(FunctionName(code));
        }
        ResolvePending({});
    }

    bool Label(std::string_view code, const LinePlace& place)
    {
        const size_t colons = code.find("::");
        if (colons == 0 || colons == std::string_view::npos)
            return false;
        const std::string_view text = code.substr(0, colons);
        std::optional<HotkeyLabel> label = ParseHotkeyLabel(text);
        if (!label)
            return false;
        const std::string_view command = Trimmed(code.substr(colons + 2));
        PendingLabel pending{std::move(*label), std::string(Trimmed(text)), place.Text(), m_labelCondition};
        if (command.empty() || command == "{") {
            // Stacked labels share what follows them.
            m_pending.push_back(std::move(pending));
            return true;
        }
        m_pending.push_back(std::move(pending));
        ResolvePending(std::string(command));
        return true;
    }

    // The labels waiting take the action given, or each its own name.
    void ResolvePending(const std::optional<std::string>& action)
    {
        for (PendingLabel& pending : m_pending)
            Add(pending.label.combos, pending.place, action ? *action : pending.text, pending.label.notes,
                pending.condition);
        m_pending.clear();
    }

    void Add(const std::vector<Combination>& combos, const std::string& place, std::string action,
        std::vector<std::string> notes, const std::string& condition)
    {
        if (!condition.empty())
            notes.push_back("only where " + condition);
        for (size_t i = 0; i < notes.size(); ++i)
            action += (i == 0 ? " (" : "; ") + notes[i] + (i + 1 == notes.size() ? ")" : "");
        m_reading.hotkeys.push_back({combos, place, std::move(action)});
    }

    // Hotkey, ^!k, Label (version 1); Hotkey "^!k", Callback and Hotkey("^!k",
    // Callback) (version 2); and the conditions each sets for those after it.
    bool HotkeyCommand(std::string_view code, const LinePlace& place)
    {
        size_t length = 0;
        while (length < code.size() && IsNameCharacter(code[length]))
            ++length;
        const std::string_view word = code.substr(0, length);
        std::string_view rest = Trimmed(code.substr(length));
        if (OneOf(word, kHotIfFunctions)) {
            const bool ends = rest.empty() || rest == "()" || rest == "(\"\")";
            m_commandCondition = ends ? std::string() : std::string(code);
            return true;
        }
        if (!EqualsIgnoringCase(word, "Hotkey")
            || (!rest.empty() && (rest.front() == ':' || rest.front() == '=')))
            return false;
        ResolvePending({});
        bool call = false;
        if (rest.starts_with("(") && rest.ends_with(")")) {
            rest = rest.substr(1, rest.size() - 2);
            call = true;
        } else if (rest.starts_with(",")) {
            rest.remove_prefix(1);
        }
        const bool quoted = call || rest.starts_with("\"") || rest.starts_with("'");
        const std::vector<std::string_view> arguments = Arguments(rest, quoted);
        std::string_view key = arguments[0];
        if (quoted) {
            const std::optional<std::string_view> literal = StringLiteral(key);
            if (!literal)
                return true;
            key = *literal;
        } else if (key.find('%') != std::string_view::npos) {
            return true;
        }
        if (!quoted && OneOf(key, kHotkeyConditions)) {
            const bool ends = arguments.size() < 2 || arguments[1].empty();
            m_commandCondition = ends ? std::string() : "Hotkey " + std::string(Trimmed(rest));
            return true;
        }
        const std::string_view action = arguments.size() > 1 ? Unquoted(arguments[1]) : std::string_view();
        const std::string_view options = arguments.size() > 2 ? Unquoted(arguments[2]) : std::string_view();
        // Without an action the command changes a hotkey declared elsewhere.
        if (action.empty() || EqualsIgnoringCase(Trimmed(options), "Off"))
            return true;
        if (const std::optional<HotkeyLabel> label = ParseHotkeyLabel(key))
            Add(label->combos, place.Text(), std::string(action), label->notes, m_commandCondition);
        return true;
    }

    void Directive(std::string_view code, const std::wstring& file, const LinePlace& place, int depth)
    {
        const size_t end = code.find_first_of(" \t,");
        const std::string_view name = code.substr(0, end);
        std::string_view argument
            = end == std::string_view::npos ? std::string_view() : Trimmed(code.substr(end));
        if (argument.starts_with(","))
            argument = Trimmed(argument.substr(1));
        if (OneOf(name, kConditionDirectives)) {
            m_labelCondition = argument.empty() ? std::string() : std::string(code);
        } else if (EqualsIgnoringCase(name, "#Include") || EqualsIgnoringCase(name, "#IncludeAgain")) {
            ResolvePending({});
            Include(argument, EqualsIgnoringCase(name, "#IncludeAgain"), file, place, depth);
        }
    }

    void Include(
        std::string_view argument, bool again, const std::wstring& file, const LinePlace& place, int depth)
    {
        bool optional = false;
        if (StartsWithIgnoringCase(argument, "*i ") || StartsWithIgnoringCase(argument, "*i\t")) {
            optional = true;
            argument = Trimmed(argument.substr(3));
        }
        argument = Unquoted(argument);
        std::wstring path;
        if (argument.size() > 2 && argument.front() == '<' && argument.back() == '>') {
            path = LibraryFile(WideFromUtf8(argument.substr(1, argument.size() - 2)));
            if (path.empty()) {
                if (!optional)
                    m_reading.failures.push_back({place.Text(), "no library " + std::string(argument)});
                return;
            }
        } else {
            std::string unknown;
            path = Expanded(WideFromUtf8(argument), file, unknown);
            if (!unknown.empty()) {
                m_reading.failures.push_back({place.Text(), "cannot tell where %" + unknown + "% is"});
                return;
            }
            if (IsRelative(path))
                path = m_includeFolder + L"\\" + path;
            path = FullPath(path);
            // A folder named by #Include is where the includes after it are.
            if (IsFolder(path)) {
                m_includeFolder = path;
                return;
            }
        }
        if (!again && m_read.contains(Folded(path)))
            return;
        if (depth >= kDeepestInclude) {
            m_reading.failures.push_back({place.Text(), "includes nested too deeply"});
            return;
        }
        const FileBytes included = ReadFileBytes(path);
        if (!included.read) {
            if (!optional || Exists(path))
                m_reading.failures.push_back(
                    {place.Text(), "cannot read " + Utf8FromWide(path) + ": " + included.error});
            return;
        }
        ReadText(path, ScriptText(included.bytes, m_script.majorVersion), depth + 1);
    }

    // The local library beside the script, the user's, then the standard
    // one; Name_Function also as Name.
    std::wstring LibraryFile(const std::wstring& name) const
    {
        const std::wstring folders[] = {FolderOf(m_script.path) + L"\\Lib", m_script.userLibrary,
            m_script.interpreter.empty() ? std::wstring() : FolderOf(m_script.interpreter) + L"\\Lib"};
        std::vector<std::wstring> names = {name};
        if (const size_t underscore = name.find(L'_'); underscore != std::wstring::npos && underscore > 0)
            names.push_back(name.substr(0, underscore));
        for (const std::wstring& candidate : names) {
            for (const std::wstring& folder : folders) {
                const std::wstring path = folder + L"\\" + candidate + L".ahk";
                if (!folder.empty() && Exists(path))
                    return FullPath(path);
            }
        }
        return {};
    }

    // %A_ScriptDir% and the other variables #Include may use; the name of the
    // first it cannot tell in unknown.
    std::wstring Expanded(const std::wstring& text, const std::wstring& file, std::string& unknown) const
    {
        std::wstring result;
        for (size_t i = 0; i < text.size(); ++i) {
            const size_t close = text[i] == L'%' ? text.find(L'%', i + 1) : std::wstring::npos;
            if (close == std::wstring::npos) {
                result += text[i];
                continue;
            }
            const std::wstring name = text.substr(i + 1, close - i - 1);
            std::wstring value = Variable(name, file);
            if (value.empty()) {
                unknown = Utf8FromWide(name);
                return {};
            }
            result += value;
            i = close;
        }
        return result;
    }

    std::wstring Variable(const std::wstring& name, const std::wstring& file) const
    {
        const std::string upper = Folded(name);
        if (upper == "A_SCRIPTDIR")
            return FolderOf(m_script.path);
        if (upper == "A_SCRIPTFULLPATH")
            return m_script.path;
        if (upper == "A_LINEFILE")
            return file;
        if (upper == "A_AHKPATH")
            return m_script.interpreter;
        if (upper == "A_APPDATA")
            return KnownFolder(FOLDERID_RoamingAppData);
        if (upper == "A_MYDOCUMENTS")
            return KnownFolder(FOLDERID_Documents);
        if (upper == "A_DESKTOP")
            return KnownFolder(FOLDERID_Desktop);
        if (upper.starts_with("A_"))
            return {};
        // Version 1 also expands the environment's variables.
        return m_script.majorVersion < 2 ? Environment(name) : std::wstring();
    }

    const ScriptPlace& m_script;
    std::wstring m_includeFolder;
    std::set<std::string> m_read;
    std::vector<PendingLabel> m_pending;
    std::string m_labelCondition;
    std::string m_commandCondition;
    ScriptReading m_reading;
};

} // namespace

std::string ScriptText(std::string_view bytes, int majorVersion)
{
    if (bytes.starts_with(kUtf8Mark))
        return Utf8FromWide(WideFromUtf8(bytes.substr(kUtf8Mark.size())));
    if (bytes.starts_with(kUtf16Mark)) {
        bytes.remove_prefix(kUtf16Mark.size());
        std::wstring wide(bytes.size() / 2, L'\0');
        for (size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<wchar_t>(
                static_cast<unsigned char>(bytes[2 * i]) | static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        return Utf8FromWide(wide);
    }
    if (majorVersion >= 2)
        return Utf8FromWide(WideFromUtf8(bytes));
    const int length
        = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return Utf8FromWide(wide);
}

ScriptReading ReadAutoHotkeyScript(const ScriptPlace& script) { return ScriptReader(script).Read(); }
