#include "census/linux/SessionBackend.h"

#include "census/linux/Keysyms.h"

#include <algorithm>

SessionBackend::SessionBackend()
{
    for (const DesktopSource table : OfferedDesktopSources())
        m_tables.push_back(std::make_unique<DesktopTableSource>(table, *this));
    if (!m_tables.empty())
        m_x11.SettleWith([this](const std::vector<Combination>& combos) { return TablesHolding(combos); });
}

std::vector<std::vector<std::string>> SessionBackend::TablesHolding(const std::vector<Combination>& combos)
{
    std::vector<std::vector<std::string>> holding(combos.size());
    for (const std::unique_ptr<DesktopTableSource>& table : m_tables) {
        std::vector<ProbeResult> rows = table->Census();
        std::erase_if(rows, [](const ProbeResult& row) { return row.state != ProbeResult::State::Taken; });
        for (size_t i = 0; i < combos.size(); ++i) {
            if (std::any_of(rows.begin(), rows.end(),
                    [&](const ProbeResult& row) { return table->Matches(row, combos[i]); }))
                holding[i].emplace_back(table->SourceName());
        }
    }
    return holding;
}

// Without a display there are no grabs to tell the holders of.
std::optional<std::vector<WhoResult>> SessionBackend::Who(const std::vector<ProbeResult>& probes)
{
    if (!UsesDisplay())
        return std::nullopt;
    return m_x11.Who(probes);
}

std::vector<HotkeySource*> SessionBackend::Sources()
{
    std::vector<HotkeySource*> sources;
    if (UsesDisplay())
        sources.push_back(&m_x11);
    for (const std::unique_ptr<DesktopTableSource>& table : m_tables)
        sources.push_back(table.get());
    return sources;
}

std::optional<unsigned> SessionBackend::ParseKey(std::string_view name) const
{
    return UsesDisplay() ? m_x11.ParseKey(name) : ParseKeysym(name);
}

std::string SessionBackend::KeyName(unsigned key) const
{
    return UsesDisplay() ? m_x11.KeyName(key) : KeysymName(key);
}

std::vector<unsigned> SessionBackend::Keysyms(unsigned key) const
{
    return UsesDisplay() ? m_x11.Keysyms(key) : std::vector<unsigned>{key};
}
