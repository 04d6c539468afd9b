#pragma once

#include "census/core/HotkeySource.h"

#include <optional>
#include <string>
#include <vector>

// Asks the programs that hold the combinations, by pressing each once; the
// engine probes each again first and does not press one found free. Returns
// the Held by text of each, in the order given: "clipper.exe (272)" (all the
// claimants, where programs claim one differently), "no answer", "free now" or
// "failed: <reason>". The calling thread keeps dispatching its messages
// meanwhile, for about a second.
std::vector<std::wstring> AskWhoHolds(const std::vector<Combination>& combinations);

// How many of the combinations AskWhoHolds would press: those the system acts
// on are never pressed, and each is pressed once however often it is given.
size_t PressesFor(const std::vector<Combination>& combinations);

// The Held by text of a combination that no question presses because another
// source names its holder (TableRows), or because that source cannot tell;
// nothing for one that may be asked.
std::optional<std::wstring> WithheldText(
    const Combination& combination, const std::vector<ProbeResult>& tableRows, const std::string& tableError);
