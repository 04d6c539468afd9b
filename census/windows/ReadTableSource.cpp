#include "census/windows/ReadTableSource.h"

namespace {

bool IsUnread(const ProbeResult& row)
{
    return row.state == ProbeResult::State::Failed && row.combo.key == 0;
}

} // namespace

std::vector<ProbeResult> ReadTableSource::Check(const Combination& combo)
{
    std::vector<ProbeResult> rows = TableSource::Check(combo);
    for (ProbeResult& row : rows) {
        if (IsUnread(row)) {
            ProbeResult asked = m_platform.Row(combo, ProbeResult::State::Failed);
            asked.error = std::move(row.error);
            asked.holder = std::move(row.holder);
            row = std::move(asked);
        }
    }
    return rows;
}

bool ReadTableSource::Matches(const ProbeResult& row, const Combination& combo) const
{
    return IsUnread(row) || TableSource::Matches(row, combo);
}

ProbeResult TakenRow(
    const CensusBackend& platform, const Combination& combo, std::string holder, std::string action)
{
    ProbeResult row = platform.Row(combo, ProbeResult::State::Taken);
    row.holder = std::move(holder);
    row.action = std::move(action);
    return row;
}

ProbeResult UnreadRow(std::string holder, std::string reason)
{
    ProbeResult row{{0, 0}, ProbeResult::State::Failed, std::move(reason), {}, {}, {}};
    row.holder = std::move(holder);
    return row;
}
