#pragma once

// No C++ exception may unwind through the system's frames (window, dialog and
// hook procedures). They catch it and keep it here; the framework's message
// loop rethrows it once the system has returned.

// Call inside a catch block; the first exception kept wins.
void KeepPendingException();
bool HasPendingException();
void RethrowPendingException();
