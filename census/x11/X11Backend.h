#pragma once

#include "census/core/CensusBackend.h"
#include "census/x11/GrabbingClients.h"
#include "census/x11/KeyGrabs.h"
#include "census/x11/X11Keymap.h"

#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The census of an X display's key grabs, taken by grabbing each combination
// on the root window for a moment. Alt is Mod1 and Win is Mod4 (Super). Each
// taken row names the client that holds it, or the clients that may, from the
// server's counts of their grabs (see GrabOwners.h).
class X11Backend final : public CensusBackend
{
public:
    enum class Owners
    {
        Named,
        Unnamed, // for measuring what naming them costs
    };

    // Connects to the display named, or to $DISPLAY's. Without a display or
    // its keyboard the backend says why in the exception of every probe and
    // key lookup: it never answers as if everything were free.
    explicit X11Backend(const char* displayName = nullptr, Owners owners = Owners::Named);

    // The names of this session's desktop tables that hold each combination:
    // a table settles which of several clients holds a grab.
    using TableNames = std::function<std::vector<std::vector<std::string>>(const std::vector<Combination>&)>;
    void SettleWith(TableNames tables) { m_tables = std::move(tables); }

    bool Connected() const { return m_display != nullptr; }

    std::string_view SourceName() const override { return "x11"; }
    std::vector<ProbeResult> Census() override;
    ProbeResult Probe(const Combination& combo) override;
    std::optional<unsigned> ParseKey(std::string_view name) const override;
    std::string KeyName(unsigned key) const override;
    std::vector<unsigned> Keysyms(unsigned key) const { return Keymap().Keysyms(key); }
    bool ReportLocks() override;
    // From the census's rows and their owners: it presses nothing.
    std::optional<std::vector<WhoResult>> Who(const std::vector<ProbeResult>& probes) override;

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

    // What one pass of the probe found: each combination's row and, when
    // owners are named, the clients with grabs and how many lock variants of
    // each taken combination they hold besides.
    struct Scan
    {
        std::vector<ProbeResult> rows;
        std::optional<std::vector<GrabbingClient>> clients;
        std::vector<unsigned> lockGrabs;
        std::vector<std::optional<size_t>> holders; // of each row, where one client holds it
    };
    // Probes combinations of keys of this keyboard, all in one batch: their
    // states, errors and locks.
    Scan ProbeAll(const std::vector<Combination>& combos);
    std::vector<unsigned> LockGrabs(const std::vector<ProbeResult>& rows) const;
    // Fills in the holder of each taken row.
    void NameOwners(Scan& scan) const;
    // The grabbing clients, counted before the probe grabs anything; nothing
    // without the X-Resource extension, which is told once.
    std::optional<std::vector<GrabbingClient>> GrabbingClientsNow();
    bool ValidCombination(const Combination& combo) const;
    // In the census's order.
    std::vector<Combination> EveryCombination() const;
    ProbeResult Judge(
        const Combination& combo, const GrabAnswer* answers, const std::vector<LockVariant>& variants) const;
    // The result with its key name and combination text.
    ProbeResult Named(ProbeResult result) const;
    std::string ErrorText(int code) const;

    std::unique_ptr<Display, DisplayCloser> m_display;
    std::optional<X11Keymap> m_keymap;
    std::string m_unavailable; // why there is no display or keymap
    bool m_withLocks = false;
    Owners m_owners;
    bool m_toldNoOwners = false;
    TableNames m_tables;
};
