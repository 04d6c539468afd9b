#pragma once

#include "census/core/CensusBackend.h"
#include "census/linux/DesktopTableSource.h"
#include "census/x11/X11Backend.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The sources a Linux session offers: the shortcut tables its desktops keep,
// found from the environment, and the X11 probe where there is a display.
// With a display, a combination's key is an X keycode, as the probe needs;
// without one, a keysym. The tables compare keysyms, and so answer either.
// With neither a display nor a table, the probe alone stays, to say why it
// cannot work.
class SessionBackend final : public KeysymBackend
{
public:
    SessionBackend();

    // Whether the X11 probe reached a display.
    bool DisplayConnected() const { return m_x11.Connected(); }

    std::vector<HotkeySource*> Sources() override;

    // The X11 probe's answers: the platform's own probe is the display's.
    std::string_view SourceName() const override { return m_x11.SourceName(); }
    std::vector<ProbeResult> Census() override { return m_x11.Census(); }
    ProbeResult Probe(const Combination& combo) override { return m_x11.Probe(combo); }
    bool ReportLocks() override { return m_x11.ReportLocks(); }
    std::optional<std::vector<WhoResult>> Who(const std::vector<ProbeResult>& probes) override;

    std::optional<unsigned> ParseKey(std::string_view name) const override;
    std::string KeyName(unsigned key) const override;
    std::vector<unsigned> Keysyms(unsigned key) const override;

private:
    // Whether the probe is a source and keys are its keycodes.
    bool UsesDisplay() const { return DisplayConnected() || m_tables.empty(); }
    // The tables that hold each combination of the display.
    std::vector<std::vector<std::string>> TablesHolding(const std::vector<Combination>& combos);

    X11Backend m_x11;
    std::vector<std::unique_ptr<DesktopTableSource>> m_tables;
};
