#pragma once

#include <X11/Xlib.h>

#include <vector>

// Collects the errors of the requests made on a display while it lives,
// instead of letting Xlib's default handler end the program on the first one.
// Errors of earlier requests still go to the handler that was there before.
// Xlib keeps one error handler for the whole process: one trap at a time.
class XErrorTrap
{
public:
    struct Error
    {
        unsigned long serial; // of the request that failed
        int code;
        int requestCode;
    };

    explicit XErrorTrap(Display* display);
    ~XErrorTrap();

    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // In the order the server sent them, which is the order of the requests.
    const std::vector<Error>& Errors() const { return m_errors; }

    // How many requests before this one the trap began: an order of the
    // requests that holds when the serial numbers wrap around.
    unsigned long SinceStart(unsigned long serial) const { return serial - m_firstSerial; }

private:
    static int Collect(Display* display, XErrorEvent* event);

    static XErrorTrap* s_active;
    Display* m_display;
    unsigned long m_firstSerial;
    XErrorHandler m_previous;
    std::vector<Error> m_errors;
};
