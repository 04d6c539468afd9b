#include "census/core/Cli.h"

#include "census/core/CombinationText.h"
#include "census/core/Output.h"
#include "census/core/Records.h"
#include "census/core/Watch.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <optional>
#include <string_view>
#include <thread>

namespace {

constexpr std::string_view kProgram = "keyvane-census";
constexpr double kDefaultIntervalSeconds = 2;
// Longer waits than a day are surely a mistake, and would overflow the clock's count.
constexpr double kLongestIntervalSeconds = 24 * 60 * 60;

constexpr std::string_view kUsage = R"(Usage: keyvane-census [OPTION...] [COMMAND [ARGUMENT...]]

Finds out which global hotkeys other programs hold, by trying to register each
combination for a moment and giving it back at once, and which hotkeys others
declared where the system acts on them (Windows: its own shortcuts, input
language, IME and accessibility hotkeys, the shortcut files of the Start menu
and the Desktop, running AutoHotkey scripts, PowerToys' settings; Linux: the
shortcut tables of KDE Plasma, GNOME, sway, Hyprland, i3, Cinnamon, MATE, Xfce
and LXQt).

Commands:
  list                    print the taken combinations (the default): lowest
                          key first, within a key Ctrl+Alt+Shift+Win down to
                          the key alone; a combination whose probe failed for
                          another reason is printed as failed, with the error
  check COMBO...          probe the combinations given, such as Ctrl+Alt+K,
                          Win+Shift+F12 or Ctrl+0x4B: one line for each
                          source that holds one, or one saying it is free
  watch                   scan again and again, printing what appeared and
                          what disappeared, with times (UTC)
    --interval SECONDS      wait between scans (default 2; fractions allowed)
    --count N               stop after N scans (default: until stopped)
  who [COMBO...]          name the program that holds each combination, or
                          without one every taken combination in list's
                          order (Windows): for about a second, hooks the
                          messages of every program, presses each taken
                          combination once (never a free one) and keeps its
                          holder from acting on the press. A holder that
                          runs elevated above this program, or one that
                          does not read its messages, cannot answer, and
                          may act on the press. Where programs claim one
                          combination differently, each claim is shown with
                          the state "conflict". Never pressed, with the state
                          "not pressed", the holder known and why: what
                          another source holds; Print Screen; F12 and
                          Shift+F12, the debugger's key; Ctrl+Alt+Del,
                          Ctrl+Shift+Esc, Ctrl+Esc, Alt+Tab, Alt+Esc,
                          Win+Tab, Win+L, Win+U; power, browser, launch and
                          media keys; input method keys; mouse buttons; a
                          modifier as the key. Nothing is pressed (exit 2)
                          where a program of another bitness runs that no
                          hook reaches, where a test press of a free
                          combination of its own does not arrive, or where,
                          run elevated, its folder is writable by others.
                          On X11, presses nothing: names the client from the
                          server's counts of each client's grabs, or answers
                          "no answer" with the clients that may hold it

Options:
  --format FORMAT         text (aligned, the default), tsv, csv or json
  --locks                 also report the lock variants held (X11 only)
  --source NAME,...       list, check and watch only these sources:
                          registered, shortcut, windows, language,
                          accessibility, autohotkey and powertoys
                          (Windows); x11, kde, gnome, sway, hyprland, i3,
                          cinnamon, mate, xfce and lxqt (Linux)
  --help                  print this help and exit
  --version               print the version and exit

A combination is modifiers (Ctrl, Alt, Shift, Win; any case), each followed by
"+", then a key: a name from the key table (any case), one of the aliases Esc,
PgUp, PgDn, Del, Ins, Space, Enter, Plus, Minus, or a code such as 0x4B.

Exit status:
  0  done; check: every combination is free; who: every one answered or
     not pressed
  1  check: some combination is taken by some source
  2  a bad argument, a combination that cannot be parsed or probed, or
     output that cannot be written
  3  who: some taken combination got no answer, or conflicting ones
)";

struct Invocation
{
    std::string command = "list";
    bool commandGiven = false;
    std::vector<std::string> operands;
    OutputFormat format = OutputFormat::Text;
    bool locks = false;
    std::vector<std::string> sourceNames; // every source when empty
    bool help = false;
    bool version = false;
    std::optional<double> intervalSeconds;
    std::optional<unsigned long> count;
};

// A bad argument: its message names what is wrong.
struct UsageError
{
    std::string message;
};

std::optional<double> ParseSeconds(std::string_view text)
{
    double seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) || seconds < 0
        || seconds > kLongestIntervalSeconds)
        return std::nullopt;
    return seconds;
}

std::optional<unsigned long> ParseCount(std::string_view text)
{
    unsigned long count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size() || count == 0)
        return std::nullopt;
    return count;
}

// "a,b" as its names; an empty name stays, for the check of names to refuse.
std::vector<std::string> SplitNames(std::string_view list)
{
    std::vector<std::string> names;
    for (;;) {
        const size_t comma = list.find(',');
        names.emplace_back(list.substr(0, comma));
        if (comma == std::string_view::npos)
            return names;
        list.remove_prefix(comma + 1);
    }
}

Invocation ParseArguments(const std::vector<std::string>& args)
{
    Invocation invocation;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (!invocation.commandGiven) {
                invocation.command = arg;
                invocation.commandGiven = true;
            } else {
                invocation.operands.push_back(arg);
            }
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }

        // An option's value follows it, or "=" joins it to the option.
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        std::optional<std::string> joinedValue;
        if (equals != std::string::npos)
            joinedValue = arg.substr(equals + 1);
        const auto value = [&]() -> std::string {
            if (joinedValue)
                return *joinedValue;
            if (i + 1 >= args.size())
                throw UsageError{name + " needs a value"};
            return args[++i];
        };
        const auto noValue = [&] {
            if (joinedValue)
                throw UsageError{name + " takes no value"};
        };

        if (name == "--help" || name == "-h") {
            noValue();
            invocation.help = true;
        } else if (name == "--version") {
            noValue();
            invocation.version = true;
        } else if (name == "--locks") {
            noValue();
            invocation.locks = true;
        } else if (name == "--format") {
            const std::string format = value();
            const std::optional<OutputFormat> parsed = ParseOutputFormat(format);
            if (!parsed)
                throw UsageError{"unknown format \"" + format + "\" (text, tsv, csv or json)"};
            invocation.format = *parsed;
        } else if (name == "--source") {
            invocation.sourceNames = SplitNames(value());
        } else if (name == "--interval") {
            const std::string seconds = value();
            invocation.intervalSeconds = ParseSeconds(seconds);
            if (!invocation.intervalSeconds)
                throw UsageError{"--interval wants seconds from 0 to 86400, not \"" + seconds + "\""};
        } else if (name == "--count") {
            const std::string count = value();
            invocation.count = ParseCount(count);
            if (!invocation.count)
                throw UsageError{"--count wants a whole number of scans above 0, not \"" + count + "\""};
        } else {
            throw UsageError{"unknown option \"" + arg + "\""};
        }
    }
    return invocation;
}

void CheckCommandArguments(const Invocation& invocation)
{
    const std::string& command = invocation.command;
    if (command != "list" && command != "check" && command != "watch" && command != "who")
        throw UsageError{"unknown command \"" + command + "\""};
    const bool takesCombinations = command == "check" || command == "who";
    if (command == "check" && invocation.operands.empty())
        throw UsageError{command + " needs at least one combination"};
    if (!takesCombinations && !invocation.operands.empty())
        throw UsageError{command + " takes no argument \"" + invocation.operands.front() + "\""};
    if (command != "watch" && (invocation.intervalSeconds || invocation.count))
        throw UsageError{"--interval and --count are options of watch"};
    if (command == "who" && invocation.locks)
        throw UsageError{"--locks is an option of list, check and watch"};
    if (command == "who" && !invocation.sourceNames.empty())
        throw UsageError{"--source is an option of list, check and watch"};
}

// The platform's sources that the invocation names, in the platform's order:
// all of them when it names none.
std::vector<HotkeySource*> SelectSources(CensusBackend& backend, const std::vector<std::string>& names)
{
    std::vector<HotkeySource*> all = backend.Sources();
    std::string known;
    for (const HotkeySource* source : all)
        known += (known.empty() ? "" : ", ") + std::string(source->SourceName());
    for (const std::string& name : names) {
        if (std::none_of(
                all.begin(), all.end(), [&](const HotkeySource* s) { return s->SourceName() == name; }))
            throw UsageError{"unknown source \"" + name + "\" (" + known + ")"};
    }
    if (names.empty())
        return all;
    std::erase_if(all, [&](const HotkeySource* source) {
        return std::find(names.begin(), names.end(), source->SourceName()) == names.end();
    });
    return all;
}

// Every combination given, or nothing after telling err about each bad one.
std::optional<std::vector<Combination>> ParseCombinations(
    const std::vector<std::string>& texts, const CensusBackend& backend, std::ostream& err)
{
    std::vector<Combination> combos;
    bool allParsed = true;
    for (const std::string& text : texts) {
        const ParsedCombination parsed = ParseCombination(text, backend);
        if (parsed.combo) {
            combos.push_back(*parsed.combo);
        } else {
            err << kProgram << ": " << parsed.error << '\n';
            allParsed = false;
        }
    }
    if (!allParsed)
        return std::nullopt;
    return combos;
}

int List(const std::vector<HotkeySource*>& sources, const Invocation& invocation, std::ostream& out)
{
    RecordWriter writer(
        out, invocation.format, RecordWriter::Layout::Document, ProbeColumns(invocation.locks));
    for (const ProbeResult& result : CensusOf(sources))
        writer.Add(ProbeRecord(result, invocation.locks));
    writer.Finish();
    return kExitSuccess;
}

int Check(CensusBackend& backend, const std::vector<HotkeySource*>& sources, const Invocation& invocation,
    std::ostream& out, std::ostream& err)
{
    const std::optional<std::vector<Combination>> combos
        = ParseCombinations(invocation.operands, backend, err);
    if (!combos)
        return kExitBadInput;
    RecordWriter writer(
        out, invocation.format, RecordWriter::Layout::Document, ProbeColumns(invocation.locks));
    int status = kExitSuccess;
    for (const Combination& combo : *combos) {
        std::vector<ProbeResult> rows = CheckIn(sources, combo);
        if (rows.empty())
            rows.push_back(backend.Row(combo, ProbeResult::State::Free));
        for (const ProbeResult& result : rows) {
            writer.Add(ProbeRecord(result, invocation.locks));
            if (result.state == ProbeResult::State::Failed)
                status = kExitBadInput;
            else if (result.state == ProbeResult::State::Taken && status == kExitSuccess)
                status = kExitTaken;
        }
    }
    writer.Finish();
    return status;
}

int Watch(const std::vector<HotkeySource*>& sources, const Invocation& invocation, std::ostream& out,
    std::ostream& err, const OutputWait& wait)
{
    const double seconds = invocation.intervalSeconds.value_or(kDefaultIntervalSeconds);
    const WatchOptions options{
        std::chrono::milliseconds(std::llround(seconds * 1000)), invocation.count, invocation.locks};
    if (!RunWatch(sources, options, out, invocation.format, wait)) {
        err << kProgram << ": nobody reads the output any more\n";
        return kExitBadInput;
    }
    return kExitSuccess;
}

// The combinations to ask about, each probed once: the taken ones of the
// backend's own census, in the list's order, or the ones given.
std::optional<std::vector<ProbeResult>> ProbesToAsk(
    CensusBackend& backend, const std::vector<std::string>& operands, std::ostream& err)
{
    std::vector<ProbeResult> probes;
    if (operands.empty()) {
        probes = CensusOf({&backend});
        std::erase_if(probes, [](const ProbeResult& probe) { return probe.state != ProbeResult::State::Taken; });
        return probes;
    }
    const std::optional<std::vector<Combination>> combos = ParseCombinations(operands, backend, err);
    if (!combos)
        return std::nullopt;
    for (const Combination& combo : *combos)
        probes.push_back(backend.Probe(combo));
    return probes;
}

int Who(CensusBackend& backend, const Invocation& invocation, std::ostream& out, std::ostream& err)
{
    const std::optional<std::vector<ProbeResult>> probes = ProbesToAsk(backend, invocation.operands, err);
    if (!probes)
        return kExitBadInput;
    const std::optional<std::vector<WhoResult>> answers = backend.Who(*probes);
    if (!answers) {
        err << kProgram << ": who is not available on this platform\n";
        return kExitBadInput;
    }
    RecordWriter writer(out, invocation.format, RecordWriter::Layout::Document, WhoColumns());
    int status = kExitSuccess;
    for (const WhoResult& answer : *answers) {
        writer.Add(WhoRecord(answer, std::string(backend.SourceName())));
        if (answer.state == WhoResult::State::Failed)
            status = kExitBadInput;
        else if ((answer.state == WhoResult::State::NoAnswer || answer.state == WhoResult::State::Conflict)
            && status == kExitSuccess)
            status = kExitNoAnswer;
    }
    writer.Finish();
    return status;
}

int RunCommand(CensusBackend& backend, const std::vector<HotkeySource*>& sources,
    const Invocation& invocation, std::ostream& out, std::ostream& err, const OutputWait& wait)
{
    if (invocation.command == "check")
        return Check(backend, sources, invocation, out, err);
    if (invocation.command == "watch")
        return Watch(sources, invocation, out, err, wait);
    if (invocation.command == "who")
        return Who(backend, invocation, out, err);
    return List(sources, invocation, out);
}

} // namespace

bool SleepThrough(std::chrono::milliseconds time)
{
    std::this_thread::sleep_for(time);
    return true;
}

int RunCensusCli(const std::vector<std::string>& args, CensusBackend& backend, std::ostream& out,
    std::ostream& err, const OutputWait& wait)
{
    Invocation invocation;
    std::vector<HotkeySource*> sources;
    try {
        invocation = ParseArguments(args);
        if (invocation.help) {
            out << kUsage;
            return kExitSuccess;
        }
        if (invocation.version) {
            out << kProgram << ' ' << KEYVANE_VERSION << '\n';
            return kExitSuccess;
        }
        CheckCommandArguments(invocation);
        if (invocation.locks && !backend.ReportLocks())
            throw UsageError{"--locks: this platform's hotkeys have no lock variants"};
        sources = SelectSources(backend, invocation.sourceNames);
    } catch (const UsageError& error) {
        err << kProgram << ": " << error.message << "\nTry \"" << kProgram << " --help\".\n";
        return kExitBadInput;
    }

    try {
        const int status = RunCommand(backend, sources, invocation, out, err, wait);
        // Results that never arrived must not pass for a clean run.
        if (!out) {
            err << kProgram << ": the output could not be written\n";
            return kExitBadInput;
        }
        return status;
    } catch (const std::exception& error) {
        out.flush();
        err << kProgram << ": " << error.what() << '\n';
        return kExitBadInput;
    }
}
