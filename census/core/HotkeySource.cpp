#include "census/core/HotkeySource.h"

#include <algorithm>
#include <iterator>

namespace {

// The rank of the modifiers within a key: Ctrl is the most significant flag,
// then Alt, Shift and Win, and the highest comes first.
unsigned DialogRank(unsigned modifiers)
{
    return ((modifiers & kModCtrl) ? 8u : 0u) | ((modifiers & kModAlt) ? 4u : 0u)
        | ((modifiers & kModShift) ? 2u : 0u) | ((modifiers & kModWin) ? 1u : 0u);
}

bool ListedBefore(const ProbeResult& a, const ProbeResult& b)
{
    if (a.Code() != b.Code())
        return a.Code() < b.Code();
    return DialogRank(a.combo.modifiers) > DialogRank(b.combo.modifiers);
}

void AddStamped(std::vector<ProbeResult>& rows, std::vector<ProbeResult> found, const HotkeySource& source)
{
    for (ProbeResult& row : found)
        row.source = source.SourceName();
    std::move(found.begin(), found.end(), std::back_inserter(rows));
}

} // namespace

std::vector<ProbeResult> TableSource::Check(const Combination& combo)
{
    std::vector<ProbeResult> rows = Census();
    std::erase_if(rows, [&](const ProbeResult& row) { return !Matches(row, combo); });
    return rows;
}

bool TableSource::Matches(const ProbeResult& row, const Combination& combo) const
{
    return row.combo == combo;
}

void PutInCensusOrder(std::vector<ProbeResult>& rows) { std::stable_sort(rows.begin(), rows.end(), ListedBefore); }

std::vector<ProbeResult> CensusOf(const std::vector<HotkeySource*>& sources)
{
    std::vector<ProbeResult> rows;
    for (HotkeySource* source : sources)
        AddStamped(rows, source->Census(), *source);
    PutInCensusOrder(rows);
    return rows;
}

std::vector<ProbeResult> CheckIn(const std::vector<HotkeySource*>& sources, const Combination& combo)
{
    std::vector<ProbeResult> rows;
    for (HotkeySource* source : sources)
        AddStamped(rows, source->Check(combo), *source);
    const auto isFree = [](const ProbeResult& row) { return row.state == ProbeResult::State::Free; };
    if (std::all_of(rows.begin(), rows.end(), isFree)) {
        rows.resize(std::min<size_t>(rows.size(), 1));
        for (ProbeResult& row : rows)
            row.source.clear();
        return rows;
    }
    std::erase_if(rows, isFree);
    return rows;
}
