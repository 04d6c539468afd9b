#pragma once

#include "census/linux/DesktopShortcut.h"

// KDE's global shortcuts, from the kglobalaccel daemon on the session bus:
// every active key of every component the daemon knows, running or not.
// holder: the component's friendly name and its id in parentheses; action:
// the action's friendly name, and its context unless it is the default one.
DesktopReading ReadKdeShortcuts(std::chrono::milliseconds timeout = kDesktopTimeout);
