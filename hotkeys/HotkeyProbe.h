#pragma once

#include "census/core/Combination.h"

#include <windows.h>

#include <functional>

// What a probe answers for a free combination. Any other answer is the
// registration's error: ERROR_HOTKEY_ALREADY_REGISTERED when another
// registration holds the combination; anything else says that it was refused
// for another reason, and nobody can tell whether it is held.
constexpr DWORD kProbedFree = ERROR_SUCCESS;

// Registers the combination as a hotkey of this thread and, when that
// succeeds, releases it at once, holding the probe lock (ProbeLock.h). A lock
// that cannot be had fails the probe with the lock's error.
DWORD ProbeCombination(const Combination& combo);

// Tries every key code from 255 down to 1 with each of the 16 modifier
// combinations, counted upward as four bits with Ctrl the most significant,
// then Alt, Shift and Win, holding the probe lock throughout. Tells each
// combination that is not free, with the probe's answer, in the order found.
// Throws ProbeLockError when the lock cannot be had: then nothing is known.
void ProbeAllCombinations(const std::function<void(const Combination&, DWORD)>& notFree);
