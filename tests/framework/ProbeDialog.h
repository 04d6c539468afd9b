#pragma once

#include "framework/Dialog.h"

#include <functional>
#include <string>
#include <vector>

// What the probes saw, in order, as "<who>: <what>".
using Log = std::vector<std::string>;

// "keydown X": how the logs name a key press.
std::string KeyDown(WPARAM key);

// Queues a key press for a window, as the system queues input.
void PostKeyDown(HWND hWnd, WPARAM key);

// The probe dialog's edit control: logs key presses before dispatch and in its
// window procedure, and keeps `m_consumedKey` from its window procedure.
class CProbeEdit : public CWnd
{
public:
    explicit CProbeEdit(Log& log) : m_log(log) { }

    BOOL PreTranslateMessage(MSG* msg) override;
    WPARAM m_consumedKey = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Log& m_log;
};

// Dialog IDD_PROBE with its edit control bound to m_edit. A dialog still open
// after ten seconds fails the test and is ended, so that a fault in the modal
// loop cannot hang the whole run.
class CProbeDialog : public CDialog
{
    DECLARE_MESSAGE_MAP()

public:
    explicit CProbeDialog(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    using CDialog::UpdateData;

    // Queues EndDialog(result) behind whatever is queued already.
    void PostEnd(int result);

    Log m_log;
    CProbeEdit m_edit{m_log};
    // The window of the latest run, kept after it is gone.
    HWND m_window = nullptr;
    // Runs at the end of OnInitDialog.
    std::function<void(CProbeDialog&)> m_onInit;
    // Runs from the first message the modal loop takes from the queue, so
    // with the window up and inside a handler.
    std::function<void(CProbeDialog&)> m_whileOpen;

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    // Which class's map took the message: 1 for this one.
    LRESULT OnWhichMap(WPARAM, LPARAM) { return 1; }
    LRESULT OnWhileOpen(WPARAM, LPARAM);
    LRESULT OnEnd(WPARAM result, LPARAM);
};

// Sent to ask which class's message map handled it.
constexpr UINT kWhichMap = WM_APP + 1;
