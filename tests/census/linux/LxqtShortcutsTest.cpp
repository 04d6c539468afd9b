// The LXQt reader against Debian's real lxqt-globalkeysd on a private session
// bus and the X display of $DISPLAY, with its configuration from a fixture.
#include <gtest/gtest.h>

#include "census/linux/DesktopSources.h"
#include "census/linux/LxqtShortcuts.h"
#include "tests/census/linux/BusSession.h"
#include "tests/census/linux/Fixture.h"
#include "tests/census/linux/ShortcutLines.h"
#include "tests/census/linux/TemporaryFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr const char* kStartDaemon = R"(
lxqt-globalkeysd >"$HOME/lxqt-globalkeysd.log" 2>&1 & pids=$!
gdbus wait --session --timeout 20 org.lxqt.global_key_shortcuts || exit 1
)";

TEST(LxqtShortcutsTest, EveryActionOfTheDaemonWithItsKeyAsTheDaemonGrabsIt)
{
    ASSERT_NE(nullptr, std::getenv("DISPLAY")) << "the daemon needs an X display";
    const TemporaryFolder home;
    const std::filesystem::path config = home.Path() / "config";
    const std::filesystem::path runtime = home.Path() / "runtime";
    std::filesystem::create_directories(config / "lxqt");
    std::filesystem::create_directories(runtime);
    chmod(runtime.c_str(), 0700);
    std::filesystem::copy_file(
        Fixture("globalkeyshortcuts.conf"), config / "lxqt" / "globalkeyshortcuts.conf");
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    unsetenv("XDG_CURRENT_DESKTOP");
    const BusSession session(kStartDaemon,
        {"HOME=" + home.Path().string(), "XDG_CONFIG_HOME=" + config.string(),
            "XDG_RUNTIME_DIR=" + runtime.string()});
    ASSERT_TRUE(session.Ready());
    const std::vector<DesktopSource> offered = OfferedDesktopSources();
    EXPECT_NE(offered.end(), std::find(offered.begin(), offered.end(), DesktopSource::lxqt));

    const DesktopReading reading = ReadLxqtShortcuts();
    ASSERT_EQ("", reading.failure);
    for (const char* line : {
             "Ctrl+Alt+t | QTerminal | qterminal",
             "Win+r | Run | krunner",
             "Ctrl+Shift+F6 | \u2600 \u2193 | lxqt-config-brightness -d",
             "Alt+F1 | Main menu | method org.lxqt.panel /global_key_shortcuts/panel/mainmenu "
             "org.lxqt.global_key_shortcuts.client activated",
             // The daemon grabs the key that carries plus, and names it by its first keysym.
             "Ctrl+Alt+equal | Zoom | 'zoom, in'",
         })
        EXPECT_TRUE(Lists(reading, line));
    // A disabled action holds no key.
    EXPECT_EQ(5u, reading.shortcuts.size()) << AllLines(reading);
}

} // namespace
