#include "framework/WinApp.h"

// The application object the dialogs under test run in.
CWinApp g_testApplication;
