#pragma once

#include "hotkeys/HotkeyProbe.h"
#include "census/core/CensusBackend.h"

// The census of this desktop's global hotkeys, by RegisterHotKey on this thread.
class WindowsCensusBackend : public CensusBackend
{
public:
    std::vector<ProbeResult> Census() override;
    ProbeResult Probe(const Combination& combo) override;
    std::optional<unsigned> ParseKey(std::string_view name) const override;
    std::string KeyName(unsigned key) const override;
    std::optional<std::vector<WhoResult>> Who(const std::vector<Combination>& combos) override;
};

// The probe's outcome for the combination with its texts, and the system's
// message for a failure.
ProbeResult MakeProbeResult(const Combination& combo, const ProbeOutcome& outcome);
