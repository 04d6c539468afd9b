#include "census/x11/XErrorTrap.h"

#include <stdexcept>

XErrorTrap* XErrorTrap::s_active = nullptr;

XErrorTrap::XErrorTrap(Display* display) : m_display(display), m_firstSerial(NextRequest(display))
{
    if (s_active)
        throw std::logic_error("two X error traps at once");
    s_active = this;
    m_previous = XSetErrorHandler(&XErrorTrap::Collect);
}

XErrorTrap::~XErrorTrap()
{
    XSetErrorHandler(m_previous);
    s_active = nullptr;
}

int XErrorTrap::Collect(Display* display, XErrorEvent* event)
{
    XErrorTrap& trap = *s_active;
    // A request made before the trap lies "after" every one made since, in
    // the serials' wrapping count.
    if (display != trap.m_display || trap.SinceStart(event->serial) >= trap.SinceStart(NextRequest(display)))
        return trap.m_previous(display, event);
    trap.m_errors.push_back({event->serial, event->error_code, event->request_code});
    // Xlib ignores the value.
    return 0;
}
