#pragma once

#include "app/HotkeyCensus.h"
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

private:
    friend int CALLBACK CompareByColumnText(LPARAM first, LPARAM second, LPARAM sortKey);

    void AddAboutToSystemMenu();
    void TakeHotkeyCensus();
    // The census's taken combinations; nothing, after telling the user why,
    // when another probe kept the lock too long.
    std::optional<std::vector<TakenHotkey>> ProbeOrWarn();
    void ShowHotkeysInUse();
    void RunListCommand(UINT command);
    // The selected rows, or every row when none is selected.
    std::vector<int> RowsToActOn() const;
    void ShowHeldBy(const std::vector<HotkeyCombination>& asked, const std::vector<std::wstring>& texts);

    HICON m_hIcon;
    CWindowSnapper m_snapper;
    bool m_bAscending = false;
    // The picture hotkey opened a picture and G has not been seen going up since.
    bool m_bPictureKeyHeld = false;
    CListCtrl m_list;
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
