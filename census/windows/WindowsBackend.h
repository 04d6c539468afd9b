#pragma once

#include "census/core/CensusBackend.h"
#include "census/windows/AccessibilitySource.h"
#include "census/windows/AutoHotkeySource.h"
#include "census/windows/LanguageSource.h"
#include "census/windows/PowerToysSource.h"
#include "census/windows/ShortcutSource.h"
#include "census/windows/WindowsShortcutsSource.h"
#include "hotkeys/HotkeyProbe.h"

// The census of this desktop's global hotkeys: those registered, probed by
// RegisterHotKey on this thread; those of shortcut files; Windows' own: its
// shortcuts, input languages and accessibility hotkeys; those AutoHotkey
// scripts and PowerToys declare.
class WindowsCensusBackend : public CensusBackend
{
public:
    std::string_view SourceName() const override { return "registered"; }
    std::vector<HotkeySource*> Sources() override
    {
        return {this, &m_shortcuts, &m_windows, &m_language, &m_accessibility, &m_autoHotkey, &m_powerToys};
    }
    std::vector<ProbeResult> Census() override;
    ProbeResult Probe(const Combination& combo) override;
    std::optional<unsigned> ParseKey(std::string_view name) const override;
    std::string KeyName(unsigned key) const override;
    std::string KeyText(unsigned key) const override;
    std::optional<std::vector<WhoResult>> Who(const std::vector<ProbeResult>& probes) override;

private:
    ShortcutSource m_shortcuts{*this};
    WindowsShortcutsSource m_windows{*this};
    LanguageSource m_language{*this};
    AccessibilitySource m_accessibility{*this};
    AutoHotkeySource m_autoHotkey{*this};
    PowerToysSource m_powerToys{*this};
};

// The probe's answer (HotkeyProbe.h) for the combination, with its texts and
// the system's message for a failure.
ProbeResult MakeProbeResult(const Combination& combo, DWORD probed);
