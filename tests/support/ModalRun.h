#pragma once

#include "framework/Dialog.h"

#include <functional>

// Runs a dialog modally and calls `whileOpen` from inside its modal loop once
// the dialog is up and its queue is idle; the dialog is then closed with
// IDCANCEL unless `whileOpen` ended it. Returns what DoModal returned.
INT_PTR RunModalWith(CDialog& dialog, const std::function<void()>& whileOpen);

// Dispatches whatever is queued for this thread right now.
void PumpPendingMessages();

// Drops queued keyboard messages, so that keys a test pressed and released
// with SendInput do not reach a window (Alt alone would open the system menu).
void DiscardQueuedKeys();
