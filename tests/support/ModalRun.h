#pragma once

#include "framework/Dialog.h"

#include <functional>

// Runs a dialog modally and calls `whileOpen` from inside its modal loop once
// the dialog is up and its queue is idle; the dialog is then closed with
// IDCANCEL unless `whileOpen` ended it. Returns what DoModal returned.
INT_PTR RunModalWith(CDialog& dialog, const std::function<void()>& whileOpen);

// The same, but the dialog must end by itself after `whileOpen` (from input
// it queued, say); if it has not ended within ten seconds it is ended with
// kModalTimedOut.
INT_PTR RunModalUntilClosed(CDialog& dialog, const std::function<void()>& whileOpen);
constexpr INT_PTR kModalTimedOut = -2;

// Drops queued keyboard messages, so that keys a test pressed and released
// with SendInput do not reach a window (Alt alone would open the system menu).
void DiscardQueuedKeys();
