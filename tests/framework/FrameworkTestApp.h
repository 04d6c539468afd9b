#pragma once

#include "framework/WinApp.h"

#include <functional>
#include <utility>

// The application object of the framework tests. The framework's own entry
// point runs the tests from InitInstance, so its message filter hook is in
// place as it is in the program.
class CFrameworkTestApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    BOOL ProcessMessageFilter(int code, LPMSG msg) override;

    // What the running test wants the filter to do; TRUE consumes the message.
    std::function<BOOL(int code, MSG& msg)> m_filter;
};

CFrameworkTestApp& TestApp();

// Puts a filter in place for the lifetime of the object.
class ScopedFilter
{
public:
    explicit ScopedFilter(std::function<BOOL(int code, MSG& msg)> filter)
    {
        TestApp().m_filter = std::move(filter);
    }
    ~ScopedFilter() { TestApp().m_filter = nullptr; }
    ScopedFilter(const ScopedFilter&) = delete;
    ScopedFilter& operator=(const ScopedFilter&) = delete;
};
