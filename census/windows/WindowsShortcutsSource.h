#pragma once

#include "census/core/CensusBackend.h"

// Windows' own shortcuts from the built-in catalogue, for the running release
// of Windows: Explorer's Win-key shortcuts unless the NoWinKeys policy turns
// them off or DisabledHotkeys frees their key, and the rest of the system's
// whatever those say.
class WindowsShortcutsSource : public TableSource
{
public:
    // Names the keys as the platform does.
    explicit WindowsShortcutsSource(const CensusBackend& platform) : m_platform(platform) { }

    std::string_view SourceName() const override { return "windows"; }
    std::vector<ProbeResult> Census() override;

private:
    const CensusBackend& m_platform;
};
