// The records behind the hotkey list: the registered census's, or every
// source's on request, each row showing the record of its index.
#include "app/KeyvaneDlg.h"

#include <algorithm>
#include <iterator>

namespace {

bool SameRow(const ProbeResult& a, const ProbeResult& b)
{
    return a.combo == b.combo && a.source == b.source && a.holder == b.holder;
}

} // namespace

std::vector<ProbeResult> CKeyvaneDlg::OtherSourcesOrWarn()
{
    std::vector<SourceFailure> failures;
    std::vector<ProbeResult> records = OtherSourcesRows(m_backend, failures);
    std::string text;
    for (const SourceFailure& failure : failures)
        text += failure.source + ": " + failure.what + "\n";
    if (!text.empty())
        ::MessageBoxA(m_hWnd, ("Not shown:\n" + text).c_str(), "Keyvane", MB_OK | MB_ICONWARNING);
    return records;
}

std::vector<ProbeResult> CKeyvaneDlg::ViewRecords(std::vector<ProbeResult> registered)
{
    if (!m_bAllSources)
        return registered;
    std::ranges::move(OtherSourcesOrWarn(), std::back_inserter(registered));
    PutInCensusOrder(registered);
    return registered;
}

void CKeyvaneDlg::ShowRecords(std::vector<ProbeResult> records)
{
    std::vector<ProbeResult> selected;
    for (const int row : m_list.GetRows(LVNI_SELECTED))
        selected.push_back(m_records[static_cast<size_t>(row)]);

    // The list repaints nothing until all rows are in.
    m_list.SetRedraw(FALSE);
    m_list.DeleteAllItems();
    m_records = std::move(records);
    FillHotkeyRows(m_list, m_records);
    for (int row = 0; const ProbeResult& record : m_records) {
        if (std::ranges::any_of(selected, [&](const ProbeResult& was) { return SameRow(was, record); }))
            m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        ++row;
    }
    // The tables' holders show at once.
    if (m_bAllSources)
        FitHeldByColumn(m_list);
    m_list.SetRedraw(TRUE);
    ShowHotkeysInUse();
}

bool CKeyvaneDlg::IsRegistered(int row) const
{
    return m_records[static_cast<size_t>(row)].source == m_backend.SourceName();
}

void CKeyvaneDlg::OnShowAllSources()
{
    m_bAllSources = !m_bAllSources;
    // The registered rows stay as they were probed: only the tables are read.
    std::vector<ProbeResult> registered;
    std::ranges::copy_if(m_records, std::back_inserter(registered),
        [&](const ProbeResult& record) { return record.source == m_backend.SourceName(); });
    PutInCensusOrder(registered);
    std::vector<ProbeResult> records = ViewRecords(std::move(registered));
    // Each column added or taken away would repaint every row: the list is
    // painted once, with its new columns and rows.
    m_list.SetRedraw(FALSE);
    if (m_bAllSources)
        AddSourceColumns(m_list);
    else
        RemoveSourceColumns(m_list, m_bHeldByAsked);
    ShowRecords(std::move(records));
}

void CKeyvaneDlg::FollowSortedRows()
{
    // Each row's item data is still the index it had before the sort.
    const size_t rows = m_records.size();
    std::vector<ProbeResult> sorted;
    sorted.reserve(rows);
    std::vector<int> rowOf(rows);
    for (size_t row = 0; row < rows; ++row) {
        const auto before = static_cast<size_t>(m_list.GetItemData(static_cast<int>(row)));
        rowOf[before] = static_cast<int>(row);
        sorted.push_back(std::move(m_records[before]));
    }
    m_records = std::move(sorted);
    for (int& asked : m_askedRows)
        asked = rowOf[static_cast<size_t>(asked)];
}
