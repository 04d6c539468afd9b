#pragma once

#include "census/core/CensusBackend.h"
#include "census/windows/ShortcutSource.h"
#include "hotkeys/HotkeyProbe.h"

// The census of this desktop's global hotkeys: those registered, probed by
// RegisterHotKey on this thread, and those of shortcut files.
class WindowsCensusBackend : public CensusBackend
{
public:
    std::string_view SourceName() const override { return "registered"; }
    std::vector<HotkeySource*> Sources() override { return {this, &m_shortcuts}; }
    std::vector<ProbeResult> Census() override;
    ProbeResult Probe(const Combination& combo) override;
    std::optional<unsigned> ParseKey(std::string_view name) const override;
    std::string KeyName(unsigned key) const override;
    std::string KeyText(unsigned key) const override;
    std::optional<std::vector<WhoResult>> Who(const std::vector<ProbeResult>& probes) override;

private:
    ShortcutSource m_shortcuts{*this};
};

// The probe's answer (HotkeyProbe.h) for the combination, with its texts and
// the system's message for a failure.
ProbeResult MakeProbeResult(const Combination& combo, DWORD probed);
