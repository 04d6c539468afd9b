// Resource identifiers, shared by Keyvane.rc and the C++ sources.
#ifndef KEYVANE_RES_RESOURCE_H
#define KEYVANE_RES_RESOURCE_H

// Dialog templates
#define IDD_ABOUTBOX       100
#define IDD_KEYVANE_DIALOG 102
#define IDD_EGG            131

// String table
#define IDS_ABOUTBOX 101

// Icons and the bitmap
#define IDR_MAINFRAME 128
#define IDI_MAKER     129
#define IDB_EGG       133

// The link buttons' hand, under the id of the system's hand
#define IDC_LINK_CURSOR 32649

// Asked for at start-up; the resources deliberately hold no accelerator table.
#define IDR_ACCELERATOR 130

// Controls of the About box
#define IDC_MAKER_ICON 110
#define IDC_APP_ICON   111
#define IDC_COPYRIGHT  112
#define IDC_APP_NAME   113
#define IDC_VERSION    114
#define IDC_EMAIL      115
#define IDC_WEBSITE    116

// Control of the main dialog and of the picture window
#define IDC_HOTKEY_LIST 1000
#define IDC_EGG_PICTURE 1001

// System-menu command of the main dialog
#define IDM_ABOUTBOX 0x0010

#endif
