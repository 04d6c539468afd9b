#pragma once

#include "census/core/HotkeySource.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Who holds one combination.
struct WhoResult
{
    enum class State
    {
        Free,
        Named,    // a holder answered
        NoAnswer, // taken, but no program answered
        Conflict, // one of several programs that each claim it
        Withheld, // never pressed: a press could reach a holder no hook can stop
        Failed    // the probe failed: nobody can tell whether it is held
    };

    Combination combo;
    State state;
    std::string error;
    std::string keyName;
    std::string comboText;
    unsigned long processId = 0;
    std::string executable;
    std::string windowTitle;
    std::string windowClass;
    unsigned long threadId = 0;
    int hotkeyId = 0;
    std::optional<unsigned> code = {}; // as ProbeResult's

    unsigned Code() const { return code.value_or(combo.key); }

    // Where a withheld combination's holder is known from: the source, the
    // holder and the action it names.
    std::string source = {};
    std::string holder = {};
    std::string action = {};
};

// One platform: its key table, its own probe of global key combinations
// (the first of its sources), and the other places it finds hotkeys in. A
// failure that stops the whole probe (a lost display connection, say) is
// thrown as a std::exception whose what() says what went wrong.
class CensusBackend : public ProbeSource
{
public:
    // The platform's sources, its own probe first.
    virtual std::vector<HotkeySource*> Sources() { return {this}; }

    // The key a name stands for: a name of the key table (any case), a common
    // alias, or a code such as "0x4B". Nothing for anything else.
    virtual std::optional<unsigned> ParseKey(std::string_view name) const = 0;

    // The key's name as the key table gives it.
    virtual std::string KeyName(unsigned key) const = 0;

    // The key as a combination text writes it: its name where that reads back
    // as this key, else its code.
    virtual std::string KeyText(unsigned key) const;

    // A row for the combination with its key's texts.
    ProbeResult Row(const Combination& combo, ProbeResult::State state) const;

    // Who holds each combination of the backend's own probe, in the order
    // given; nothing where the platform cannot tell. A combination its probe
    // found free or could not tell about is answered so without a question.
    virtual std::optional<std::vector<WhoResult>> Who(const std::vector<ProbeResult>&)
    {
        return std::nullopt;
    }

    // Makes Census and Probe also report the lock variants held (NumLock,
    // CapsLock); false where the platform has no such variants.
    virtual bool ReportLocks() { return false; }
};

// A source that could not tell what it holds, and why.
struct SourceFailure
{
    std::string source;
    std::string what;
};

// The taken rows of every source of the backend but its own probe, in the
// census's order, each stamped with its source's name. A source that fails
// gives no rows and a failure.
std::vector<ProbeResult> OtherSourcesRows(CensusBackend& backend, std::vector<SourceFailure>& failures);
