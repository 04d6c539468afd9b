#pragma once

#include "framework/String.h"
#include "framework/ToolTipCtrl.h"

// One row of a tooltip table: a control id of the parent dialog and its text.
// A table ends with the row whose id is 0; that row's text, when not empty,
// is the tip of the dialog itself.
struct ToolTipEntry
{
    int nID;
    CString strText;
};

// Registers one tool per row of `pTable` with `pToolTip`, which must already
// exist with `pParent` as its parent. A group box becomes a rectangle of the
// parent, known by its id; any other control is a tool of its own. Ids that
// name no control of `pParent` are passed over. Returns the number of tools
// the control took.
int AddToolTips(CWnd* pParent, CToolTipCtrl* pToolTip, const ToolTipEntry* pTable);

// The About box's table.
extern const ToolTipEntry g_aboutToolTips[9];
