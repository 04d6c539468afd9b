#pragma once

#include "app/HotkeyColumns.h"
#include "census/windows/WindowsBackend.h"
#include "framework/Dialog.h"
#include "framework/ListCtrl.h"
#include "geometry/MainWindowGeometry.h"
#include "geometry/WindowSnapper.h"

#include <optional>
#include <string>
#include <vector>

// The main window: the list of hotkeys that other programs hold.
class CKeyvaneDlg : public CDialog
{
    DECLARE_MESSAGE_MAP()

public:
    explicit CKeyvaneDlg(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnSize(UINT type, int cx, int cy);
    void OnSizing(UINT edge, LPRECT rect);
    void OnMoving(UINT edge, LPRECT rect);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnColumnClick(NMHDR* header, LRESULT* result);
    void OnItemChanged(NMHDR* header, LRESULT* result);
    LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    void OnListKeyDown(NMHDR* header, LRESULT* result);
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);

    // The list's commands, from its context menu or its keys.
    void OnWhoHoldsIt();
    // Asks before pressing combinations the user did not pick; true to go on.
    bool ConfirmPresses(size_t presses);
    void OnRefresh();
    void OnCopy();
    void OnSelectAll();
    void OnShowAllSources();

private:
    friend int CALLBACK CompareByColumnText(LPARAM first, LPARAM second, LPARAM sortKey);

    void AddAboutToSystemMenu();
    void TakeHotkeyCensus();
    // The registered combinations that are taken, in the census's order;
    // nothing, after telling the user why, when another probe kept the lock
    // too long.
    std::optional<std::vector<ProbeResult>> ProbeOrWarn();
    // The taken rows of every other source; a source that cannot be read is
    // left out, after telling the user why.
    std::vector<ProbeResult> OtherSourcesOrWarn();
    // The records of the view (every source's or the census's) with the
    // registered ones given, in the census's order.
    std::vector<ProbeResult> ViewRecords(std::vector<ProbeResult> registered);
    // Replaces the rows by the records', keeping the rows of those selected
    // before selected.
    void ShowRecords(std::vector<ProbeResult> records);
    void ShowHotkeysInUse();
    void RunListCommand(UINT command);
    // The selected rows, or every row when none is selected.
    std::vector<int> RowsToActOn() const;
    bool IsRegistered(int row) const;
    void ShowHeldBy(const std::vector<std::wstring>& texts);
    // Once the list has sorted its rows: the records follow their rows, and
    // so do the rows of a question that is out.
    void FollowSortedRows();

    HICON m_hIcon;
    CWindowSnapper m_snapper;
    bool m_bAscending = false;
    // The picture hotkey opened a picture and G has not been seen going up since.
    bool m_bPictureKeyHeld = false;
    CListCtrl m_list;
    WindowsCensusBackend m_backend;
    // Row i shows m_records[i]: the records move with their rows.
    std::vector<ProbeResult> m_records;
    // Every source's rows are shown, not only the registered census's.
    bool m_bAllSources = false;
    // The user asked who holds rows: the Held by column stays in the census view.
    bool m_bHeldByAsked = false;
    // The rows a question that is out asks about, in the order asked.
    std::vector<int> m_askedRows;
    // A who question is out: its wait dispatches this window's messages, and
    // no other list command may start until it is answered.
    bool m_bAsking = false;
    // The clicked column's texts by row, as they stood when the sort began;
    // filled only while a sort runs.
    std::vector<CString> m_sortTexts;
};

// Orders two rows (by their item data, which is their index when the sort
// began) by the text of the column the sort key names: column + 1 sorts
// ascending, ~column descending.
int CALLBACK CompareByColumnText(LPARAM first, LPARAM second, LPARAM sortKey);
