#pragma once

#include "census/core/CensusBackend.h"

// The accessibility features' hotkeys that are turned on: High Contrast and
// Mouse Keys (combinations pressed with the left Alt and Shift), Narrator's
// Ctrl+Win+Enter, and the keys that Sticky Keys, Filter Keys and Toggle Keys
// watch (Shift, Right Shift and Num Lock, pressed or held as the action says).
class AccessibilitySource : public TableSource
{
public:
    // Names the keys as the platform does.
    explicit AccessibilitySource(const CensusBackend& platform) : m_platform(platform) { }

    std::string_view SourceName() const override { return "accessibility"; }
    std::vector<ProbeResult> Census() override;

protected:
    bool Matches(const ProbeResult& row, const Combination& combo) const override;

private:
    const CensusBackend& m_platform;
};
