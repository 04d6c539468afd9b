#pragma once

#include "census/core/CensusBackend.h"

#include <string>
#include <vector>

// The taken rows of every source but the backend's own probe, each with its
// source's name: their holders act on a press without a registered hotkey's
// message, which no hook of ours could keep from them, so no question
// presses their combinations. Nothing, with the error set, when a source
// cannot tell: then none of its combinations can be known safe to press.
std::vector<ProbeResult> TableRows(CensusBackend& backend, std::string& error);

// What `who` prints for a taken combination whose holder did not answer.
constexpr char kNoAnswerText[] = "no program answered; its owner may have acted on the press";

// Who holds each probed combination, in the order given: presses the taken
// ones, each once however often it is given, after probing it once more,
// and names the programs that take the presses, keeping them from acting on
// them. Free combinations and those whose probe failed are never pressed,
// nor any that another source of the backend holds, nor any the system acts
// on: each of those is withheld, one result per source's row, naming the
// holder the source knows.
// Ctrl+C or Ctrl+Break meanwhile ends the query early, with everything it
// set up undone; the combinations it left unanswered are reported as failed.
// A combination that several programs claim gets one result per claim, each
// in conflict; one found free just before its press is free.
std::vector<WhoResult> QueryWho(CensusBackend& backend, const std::vector<ProbeResult>& probes);
