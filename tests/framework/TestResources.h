#pragma once

// The dialog the tests run and its controls.
#define IDD_PROBE           200
#define IDC_EDIT            201
#define IDC_DRAWN           202
#define IDC_DRAWN_BY_DIALOG 203
#define IDC_REFLECTING      204
#define IDC_PLAIN           205

// Strings; IDS_MISSING is not in the table.
#define IDS_SHORT   1
#define IDS_LONG    2
#define IDS_MISSING 3
