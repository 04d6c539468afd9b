#pragma once

#include "census/core/CensusBackend.h"

#include <windows.h>

#include <string>

// The name of the language of an input locale ("English (United States)"),
// in English whatever the system's language; its code where the system
// knows no such language.
std::string InputLanguageName(HKL layout);

// The hotkeys of the input-language switcher and of the input method editors:
// the switch to the next input language or keyboard layout, and the hotkeys
// of input methods, read live where the system tells them and from the
// user's settings otherwise. A switch of modifiers alone reads back as
// "Alt+Shift", whichever way round it is typed.
class LanguageSource : public TableSource
{
public:
    // Names the keys as the platform does.
    explicit LanguageSource(const CensusBackend& platform) : m_platform(platform) { }

    std::string_view SourceName() const override { return "language"; }
    std::vector<ProbeResult> Census() override;

protected:
    bool Matches(const ProbeResult& row, const Combination& combo) const override;

private:
    void AddToggles(std::vector<ProbeResult>& rows) const;
    void AddInputMethodHotkeys(std::vector<ProbeResult>& rows) const;

    const CensusBackend& m_platform;
};
