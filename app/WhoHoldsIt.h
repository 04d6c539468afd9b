#pragma once

#include "app/HotkeyCensus.h"

#include <string>
#include <vector>

// Probes each combination again and asks the programs that hold the taken
// ones, by pressing them once. Returns the Held by text of each, in the order
// given: "clipper.exe (272)", "no answer", "free now" or "failed: <reason>".
// The calling thread keeps dispatching its messages meanwhile, for about a
// second.
std::vector<std::wstring> AskWhoHolds(const std::vector<HotkeyCombination>& combinations);
