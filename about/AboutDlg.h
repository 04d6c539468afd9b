#pragma once

#include "about/HyperLinkButton.h"
#include "framework/Dialog.h"
#include "framework/Icon.h"
#include "framework/Static.h"
#include "framework/ToolTipCtrl.h"

// The About box: the maker's and the program's icons, the program's name and
// version, the copyright line, links to the maker's web page and to a
// pre-addressed e-mail, and a tooltip on each of these.
class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;

private:
    void ShowVersion();
    void AddToolTipsToControls();

    CToolTipCtrl m_ToolTip;
    CHyperLinkButton m_btnWebsite;
    CHyperLinkButton m_btnEmail;
    CStatic m_stcMakerIcon;
    CStatic m_stcAppIcon;
    CIcon m_hMakerIcon;
    CIcon m_hAppIcon;
};
