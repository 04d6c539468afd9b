// Cost of reading the desktops' shortcut tables, in this process, without a
// display. The goal for each is 100 ms as a whole census process.
//
//   (a) floor: a private session bus connection and one call
//   (b) KDE:   Debian's kglobalaccel5 with 40 components of 10 shortcuts
//   (c) GNOME: every keybinding schema installed, with the keyfile backend;
//              the first read of a process loads the schemas and descriptions
//   (d) floor: keyvane-census --version, a whole process that reads nothing
//   (e) keyvane-census list --source kde, as a whole process, on (b)'s daemon
//   (f) keyvane-census list --source gnome, as a whole process, on (c)'s schemas
//       with every extension of gnome-shell-extensions enabled
//   (g) list --source cinnamon, on Cinnamon's schemas with the keyfile backend
//   (h) list --source mate, on MATE's schemas with a dconf database
//   (i) list --source xfce, on Debian's xfconfd with the tests' channel
//   (j) list --source lxqt, on Debian's lxqt-globalkeysd with the tests'
//       configuration, on the display the benchmark was given
//   (k) sway: 24,000 bindings read and told apart, half of them rebound
//   (l) keyvane-census list --source i3, as a whole process, on a real i3
#include "census/linux/DesktopSources.h"
#include "census/linux/GnomeShortcuts.h"
#include "census/linux/KdeShortcuts.h"
#include "census/linux/SwayConfig.h"
#include "tests/bench/BestOf.h"
#include "tests/census/linux/BusSession.h"
#include "tests/census/linux/Fixture.h"
#include "tests/census/linux/I3Session.h"
#include "tests/census/linux/KdeSession.h"
#include "tests/census/linux/TemporaryFolder.h"
#include "tests/census/x11/ChildProcess.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr int kRuns = 15;
constexpr int kComponents = 40;
constexpr int kShortcutsPerComponent = 10;
constexpr int kSwayBindings = 24000;

// Each shortcut with a combination of its own: the daemon drops duplicates.
std::filesystem::path WriteShortcuts(const std::filesystem::path& folder)
{
    const std::filesystem::path path = folder / "kglobalshortcutsrc";
    std::ofstream file(path);
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const char* modifiers[] = {"Meta+", "Ctrl+", "Alt+", "Shift+"};
    for (int component = 0; component < kComponents; ++component) {
        file << "[org.example.app" << component << ".desktop]\n_k_friendly_name=App " << component << "\n";
        for (int shortcut = 0; shortcut < kShortcutsPerComponent; ++shortcut) {
            const int index = component * kShortcutsPerComponent + shortcut;
            const int combination = index / static_cast<int>(letters.size()) + 1;
            std::string keys;
            for (int modifier = 0; modifier < 4; ++modifier) {
                if (combination & (1 << modifier))
                    keys += modifiers[modifier];
            }
            keys += letters[static_cast<size_t>(index) % letters.size()];
            file << "action" << shortcut << "=" << keys << ",none,Action " << shortcut << "\n";
        }
        file << "\n";
    }
    return path;
}

// Keys by code, so that each of the 12,000 is another binding, each bound
// twice: sway keeps the later.
std::string SwayConfig()
{
    std::string config = "set $mod Mod4\n";
    for (int i = 0; i < kSwayBindings; ++i) {
        const int binding = i % (kSwayBindings / 2);
        config += "bindcode --no-warn " + std::string(binding % 2 ? "$mod+" : "")
            + std::to_string(binding / 2) + " exec binding " + std::to_string(i) + "\n";
    }
    return config;
}

template <typename Reader> double Time(Reader read, size_t& rows)
{
    const Clock::time_point start = Clock::now();
    const DesktopReading reading = read();
    const double elapsed = Milliseconds(Clock::now() - start);
    if (!reading.failure.empty())
        std::fprintf(stderr, "%s\n", reading.failure.c_str());
    rows = reading.shortcuts.size();
    return elapsed;
}

// A whole census process, with no display, its output read to the end.
double TimeCensus(const std::vector<std::string>& arguments, const std::vector<std::string>& session)
{
    std::vector<std::string> command = {BuiltProgram("keyvane-census")};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<std::string> replaced
        = {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CURRENT_DESKTOP", "SWAYSOCK", "HYPRLAND_INSTANCE_SIGNATURE", "I3SOCK"};
    for (const std::string& variable : session)
        replaced.push_back(variable.substr(0, variable.find('=')));
    const Clock::time_point start = Clock::now();
    ChildProcess census(command, EnvironmentWithout(replaced, session));
    const ChildProcess::Outcome outcome = census.Finish();
    const double elapsed = Milliseconds(Clock::now() - start);
    if (outcome.status != 0)
        std::fprintf(stderr, "%s", outcome.error.c_str());
    return elapsed;
}

// GNOME's settings with every extension of the package enabled, where the
// keyfile backend reads them.
void WriteKeyfile(const std::filesystem::path& folder)
{
    std::string extensions;
    std::error_code error;
    for (const auto& extension :
        std::filesystem::directory_iterator("/usr/share/gnome-shell/extensions", error))
        extensions += (extensions.empty() ? "'" : ", '") + extension.path().filename().string() + "'";
    std::filesystem::create_directories(folder / "glib-2.0" / "settings");
    std::ofstream(folder / "glib-2.0" / "settings" / "keyfile")
        << "[org/gnome/shell]\nenabled-extensions=[" << extensions << "]\n";
}

// MATE's settings in a dconf database with custom shortcuts, compiled by
// dconf's own tool; the session's variables.
std::vector<std::string> MateSession(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder / "keyfiles");
    std::filesystem::create_directories(folder / "dconf");
    std::filesystem::create_directories(folder / "runtime");
    std::ofstream keyfile(folder / "keyfiles" / "user");
    for (int custom = 0; custom < 10; ++custom) {
        keyfile << "[org/mate/desktop/keybindings/custom" << custom << "]\nname='Custom " << custom
                << "'\naction='true'\nbinding='<Super>F" << custom + 1 << "'\n\n";
    }
    keyfile.close();
    const std::string compile
        = "dconf compile " + (folder / "dconf" / "user").string() + " " + (folder / "keyfiles").string();
    if (std::system(compile.c_str()) != 0)
        std::fprintf(stderr, "dconf compile failed\n");
    return {"XDG_CURRENT_DESKTOP=MATE", "GSETTINGS_BACKEND=dconf", "XDG_CONFIG_HOME=" + folder.string(),
        "XDG_RUNTIME_DIR=" + (folder / "runtime").string()};
}

// Xfce's and LXQt's daemons on one bus of their own; LXQt's only on a display.
constexpr const char* kXfceAndLxqt = R"(
gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.StartServiceByName org.xfce.Xfconf 0 >/dev/null || exit 1
if [ -n "$DISPLAY" ]; then
    lxqt-globalkeysd >/dev/null 2>&1 & pids=$!
    gdbus wait --session --timeout 20 org.lxqt.global_key_shortcuts || exit 1
fi
)";

std::vector<std::string> XfceAndLxqtVariables(const std::filesystem::path& folder, const std::string& display)
{
    const std::filesystem::path channels = folder / "xfce4" / "xfconf" / "xfce-perchannel-xml";
    std::filesystem::create_directories(channels);
    std::filesystem::create_directories(folder / "lxqt");
    std::filesystem::copy_file(
        Fixture("xfce4-keyboard-shortcuts.xml"), channels / "xfce4-keyboard-shortcuts.xml");
    std::filesystem::copy_file(
        Fixture("globalkeyshortcuts.conf"), folder / "lxqt" / "globalkeyshortcuts.conf");
    return {"XDG_CONFIG_HOME=" + folder.string(), "HOME=" + folder.string(), "DISPLAY=" + display};
}

} // namespace

int main()
{
    // The display is for LXQt's daemon alone: everything else reads without one.
    const char* givenDisplay = std::getenv("DISPLAY");
    const std::string display = givenDisplay ? givenDisplay : "";
    unsetenv("DISPLAY");
    const TemporaryFolder folder;
    const TemporaryFolder mateFolder;
    const TemporaryFolder xfceFolder;
    WriteKeyfile(folder.Path());
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    const std::vector<std::string> mate = MateSession(mateFolder.Path());

    // Its bus first: KDE's session then takes this process's bus variable.
    const BusSession xfceAndLxqt(kXfceAndLxqt, XfceAndLxqtVariables(xfceFolder.Path(), display));
    if (!xfceAndLxqt.Ready()) {
        std::fprintf(stderr, "xfconfd or lxqt-globalkeysd did not start\n");
        return 1;
    }
    const std::string xfceBus
        = std::string("DBUS_SESSION_BUS_ADDRESS=") + std::getenv("DBUS_SESSION_BUS_ADDRESS");

    const KdeSession kde(WriteShortcuts(folder.Path()));
    if (!kde.Ready()) {
        std::fprintf(stderr, "kglobalaccel5 did not start\n");
        return 1;
    }
    const I3Session i3(Fixture("i3"));
    if (i3.Socket().empty()) {
        std::fprintf(stderr, "i3 did not start\n");
        return 1;
    }
    const std::string swayConfig = SwayConfig();
    size_t kdeRows = 0;
    size_t gnomeRows = 0;
    size_t swayRows = 0;
    const double gnomeFirst = Time(ReadGnomeShortcuts, gnomeRows);
    const std::vector<double> best = BestOf(kRuns,
        {
            [] {
                const Clock::time_point start = Clock::now();
                OfferedDesktopSources();
                return Milliseconds(Clock::now() - start);
            },
            [&] { return Time([] { return ReadKdeShortcuts(); }, kdeRows); },
            [&] { return Time(ReadGnomeShortcuts, gnomeRows); },
            [] { return TimeCensus({"--version"}, {}); },
            [] {
                return TimeCensus({"list", "--source", "kde"}, {});
            },
            [] {
                return TimeCensus({"list", "--source", "gnome"}, {"XDG_CURRENT_DESKTOP=GNOME"});
            },
            [] {
                return TimeCensus({"list", "--source", "cinnamon"}, {"XDG_CURRENT_DESKTOP=X-Cinnamon"});
            },
            [&] {
                return TimeCensus({"list", "--source", "mate"}, mate);
            },
            [&] {
                return TimeCensus({"list", "--source", "xfce"}, {"XDG_CURRENT_DESKTOP=XFCE", xfceBus});
            },
            [&] {
                return display.empty()
                    ? 0.0
                    : TimeCensus({"list", "--source", "lxqt"}, {"XDG_CURRENT_DESKTOP=LXQt", xfceBus});
            },
            [&] {
                const Clock::time_point start = Clock::now();
                swayRows = SwayBindings(swayConfig).size();
                return Milliseconds(Clock::now() - start);
            },
            [&] {
                return TimeCensus({"list", "--source", "i3"}, {"I3SOCK=" + i3.Socket()});
            },
        });

    const double floor = best[0];
    std::printf("best of %d runs                               ms    x floor\n", kRuns);
    std::printf("(a) bus connection and one call          %8.1f    1.00\n", floor);
    std::printf("(b) KDE, %zu rows                       %8.1f    %.2f   (goal 100 ms)\n", kdeRows, best[1],
        best[1] / floor);
    std::printf("(c) GNOME, %zu rows, first read          %8.1f    %.2f   (goal 100 ms)\n", gnomeRows,
        gnomeFirst, gnomeFirst / floor);
    std::printf("    GNOME, later reads                   %8.1f    %.2f\n", best[2], best[2] / floor);
    const double processFloor = best[3];
    std::printf("\nwhole processes                              ms    x floor\n");
    std::printf("(d) keyvane-census --version             %8.1f    1.00\n", processFloor);
    std::printf("(e) list --source kde                    %8.1f    %.2f   (goal 100 ms)\n", best[4],
        best[4] / processFloor);
    std::printf("(f) list --source gnome                  %8.1f    %.2f   (goal 100 ms)\n", best[5],
        best[5] / processFloor);
    const char* names[] = {"cinnamon", "mate", "xfce", "lxqt"};
    for (size_t table = 0; table < 4; ++table) {
        const double elapsed = best[6 + table];
        if (elapsed == 0.0)
            std::printf("(%c) list --source %-8s               not run: no display\n",
                static_cast<char>('g' + table), names[table]);
        else
            std::printf("(%c) list --source %-8s               %8.1f    %.2f   (goal 100 ms)\n",
                static_cast<char>('g' + table), names[table], elapsed, elapsed / processFloor);
    }
    std::printf("\n(k) sway, %d bindings, %zu rows       %8.1f ms\n", kSwayBindings, swayRows, best[10]);
    std::printf("(l) list --source i3                     %8.1f    %.2f   (goal 100 ms)\n", best[11],
        best[11] / processFloor);
    return 0;
}
