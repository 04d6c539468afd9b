#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace who {

// Why a combination is never pressed, and who acts on it instead.
struct Withheld
{
    // The holder as far as it is known: "Windows", "the debugger".
    std::string holder;
    // What a press could do there, in words a user can weigh (UTF-8).
    std::string reason;
};

// The combinations (MOD_* modifiers) the system acts on before, or beside,
// any registered hotkey, so that no hook of ours could keep the press from
// doing harm: Print Screen with any modifiers, the debugger's key, the secure
// attention and task-switching keys, Win+L, Win+U, the power, browser,
// launch and media keys, the input method's keys, the mouse buttons and a
// modifier used as the key. Nothing for any other combination.
std::optional<Withheld> SystemWithholds(WORD key, UINT modifiers);

} // namespace who
