#include "tests/framework/FrameworkTestApp.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <stdlib.h>

#include <stdexcept>

namespace {

CFrameworkTestApp g_app;

} // namespace

CFrameworkTestApp& TestApp() { return g_app; }

BOOL CFrameworkTestApp::InitInstance()
{
    ::InitCommonControls();
    testing::InitGoogleTest(&__argc, __argv);
    // The entry point turns an exception from InitInstance into a failing exit code.
    if (RUN_ALL_TESTS() != 0)
        throw std::runtime_error("framework tests failed");
    return FALSE;
}

BOOL CFrameworkTestApp::ProcessMessageFilter(int code, LPMSG msg)
{
    if (code >= 0 && m_filter && m_filter(code, *msg))
        return TRUE;
    return CWinApp::ProcessMessageFilter(code, msg);
}
