#include "about/ToolTips.h"

#include "res/resource.h"

#include <cstring>

namespace {

constexpr int kClassNameLength = 260;
constexpr LONG kButtonTypeMask = 0xFF;

// Only a plain group box: one with BS_LEFTTEXT, say, does not count.
bool IsGroupBox(HWND control)
{
    char className[kClassNameLength] = {};
    ::GetClassNameA(control, className, kClassNameLength);
    return std::strcmp(className, "Button") == 0
        && (::GetWindowLongA(control, GWL_STYLE) & kButtonTypeMask) == BS_GROUPBOX;
}

// A group box lets the pointer through to its parent, so its tip belongs to
// the parent's area under it.
BOOL AddGroupBoxTool(CWnd* pParent, CWnd* groupBox, CToolTipCtrl* pToolTip, const ToolTipEntry& entry)
{
    RECT rect;
    groupBox->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return pToolTip->AddTool(pParent, entry.strText, &rect, static_cast<UINT_PTR>(entry.nID));
}

} // namespace

const ToolTipEntry g_aboutToolTips[9] = {
    {IDC_MAKER_ICON, "Tavrole inc."},
    {IDC_APP_ICON, "Keyvane shows what global hotkeys are currently regestiered on the system."},
    {IDC_APP_NAME, "Keyvane"},
    {IDC_VERSION, "Current version"},
    {IDC_COPYRIGHT, "\x85"},
    {IDC_WEBSITE, "Visit the website for Keyvane."},
    {IDC_EMAIL, "Send an email about Keyvane."},
    {IDOK, ":-|"},
    {0, ""},
};

int AddToolTips(CWnd* pParent, CToolTipCtrl* pToolTip, const ToolTipEntry* pTable)
{
    int added = 0;
    const ToolTipEntry* entry = pTable;
    for (; entry->nID != 0; ++entry) {
        CWnd* control = pParent->GetDlgItem(entry->nID);
        if (!control)
            continue;
        const BOOL taken = IsGroupBox(control->m_hWnd) ? AddGroupBoxTool(pParent, control, pToolTip, *entry)
                                                       : pToolTip->AddTool(control, entry->strText);
        added += taken ? 1 : 0;
    }
    if (!entry->strText.IsEmpty() && pToolTip->AddTool(pParent, entry->strText))
        ++added;
    return added;
}
