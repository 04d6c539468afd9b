#pragma once

#include "census/windows/ReadTableSource.h"

#include <string>

// The shortcuts of PowerToys' enabled modules and Keyboard Manager's global
// remaps, while PowerToys.exe runs: holder "PowerToys <module>", action the
// setting's name made readable or the remap's target. Read from the settings
// under the given folder (%LOCALAPPDATA%\Microsoft\PowerToys by default).
class PowerToysSource : public ReadTableSource
{
public:
    explicit PowerToysSource(const CensusBackend& platform) : ReadTableSource(platform) { }

    std::string_view SourceName() const override { return "powertoys"; }
    std::vector<ProbeResult> Census() override;
};

// Whether a process runs the program of that name ("PowerToys.exe", any case).
bool ProgramRuns(const wchar_t* program);

// The rows of the settings under a PowerToys settings folder.
std::vector<ProbeResult> PowerToysRows(const std::wstring& folder, const CensusBackend& platform);
