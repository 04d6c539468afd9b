#pragma once

#include "census/core/CensusBackend.h"
#include "census/linux/DesktopSources.h"

// A Linux platform, whatever codes it gives keys (X keycodes, keysyms): the
// keysyms each key stands for.
class KeysymBackend : public CensusBackend
{
public:
    virtual std::vector<unsigned> Keysyms(unsigned key) const = 0;
};

// One desktop's shortcut table as a source of the census. Its rows carry
// keysyms for keys and names of the desktop's own for holders and actions; a
// table that cannot be read is one failed row, so that the other sources
// still speak.
class DesktopTableSource : public TableSource
{
public:
    // The platform tells which keysyms the combinations that check asks about
    // stand for.
    DesktopTableSource(DesktopSource table, const KeysymBackend& platform)
        : m_table(table), m_platform(platform)
    {
    }

    std::string_view SourceName() const override { return DesktopSourceName(m_table); }
    std::vector<ProbeResult> Census() override;
    std::vector<ProbeResult> Check(const Combination& combo) override;
    // Public for the X11 probe, whose grabs a table's row may account for.
    bool Matches(const ProbeResult& row, const Combination& combo) const override;

private:
    DesktopSource m_table;
    const KeysymBackend& m_platform;
};
