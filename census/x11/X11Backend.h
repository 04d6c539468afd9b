#pragma once

#include "census/core/CensusBackend.h"
#include "census/x11/KeyGrabs.h"
#include "census/x11/X11Keymap.h"

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The census of an X display's key grabs, taken by grabbing each combination
// on the root window for a moment. Alt is Mod1 and Win is Mod4 (Super).
class X11Backend final : public CensusBackend
{
public:
    // Connects to the display named, or to $DISPLAY's. Without a display or
    // its keyboard the backend says why in the exception of every probe and
    // key lookup: it never answers as if everything were free.
    explicit X11Backend(const char* displayName = nullptr);

    bool Connected() const { return m_display != nullptr; }

    std::string_view SourceName() const override { return "x11"; }
    std::vector<ProbeResult> Census() override;
    ProbeResult Probe(const Combination& combo) override;
    std::optional<unsigned> ParseKey(std::string_view name) const override;
    std::string KeyName(unsigned key) const override;
    std::vector<unsigned> Keysyms(unsigned key) const { return Keymap().Keysyms(key); }
    bool ReportLocks() override;

private:
    struct DisplayCloser
    {
        void operator()(Display* display) const { XCloseDisplay(display); }
    };

    // The keymap of the display; throws when there is no display.
    const X11Keymap& Keymap() const;
    // A lock that changes the modifier state a grab must match: a desktop
    // grabs each shortcut with and without them, to work whatever their state.
    struct LockVariant
    {
        const char* name;
        unsigned mask;
    };
    std::vector<LockVariant> LockVariants() const;

    // Probes combinations of keys of this keyboard, all in one batch: their
    // states, errors and locks.
    std::vector<ProbeResult> ProbeAll(const std::vector<Combination>& combos);
    ProbeResult Judge(
        const Combination& combo, const GrabAnswer* answers, const std::vector<LockVariant>& variants) const;
    // The result with its key name and combination text.
    ProbeResult Named(ProbeResult result) const;
    std::string ErrorText(int code) const;

    std::unique_ptr<Display, DisplayCloser> m_display;
    std::optional<X11Keymap> m_keymap;
    std::string m_unavailable; // why there is no display or keymap
    bool m_withLocks = false;
};
