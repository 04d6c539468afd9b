#pragma once

#include "census/core/CensusBackend.h"
#include "census/core/CombinationText.h"
#include "census/core/Output.h"

// The fields of a probe result: combination, key, code, ctrl, alt, shift, win,
// state, source, holder, action, error, and locks when they are asked for.
std::vector<Column> ProbeColumns(bool withLocks);
Record ProbeRecord(const ProbeResult& result, bool withLocks);

// "free", "taken" or "failed".
const char* StateName(ProbeResult::State state);

// The fields of a who answer: combination, key, code, ctrl, alt, shift, win,
// state, source, holder, action, process, executable, window_title,
// window_class, thread, hotkey_id, error. The answer comes from the source
// named; its holder is the executable, when one was named.
std::vector<Column> WhoColumns();
Record WhoRecord(const WhoResult& result, const std::string& source);
