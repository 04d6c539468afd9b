#pragma once

#include "census/core/Combination.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the probe found out about one combination.
struct ProbeResult
{
    enum class State
    {
        Free,
        Taken, // another client holds it
        Failed // the probe failed for another reason: nobody can tell whether it is held
    };

    Combination combo;
    State state;
    std::string error;              // why the probe failed; empty unless Failed
    std::string keyName;            // the key as the platform's key table names it
    std::string comboText;          // "Ctrl+Alt+K": parses back to the same combination
    std::vector<std::string> locks; // the lock variants held too (X11, with --locks)
};

// Who holds one combination.
struct WhoResult
{
    enum class State
    {
        Free,
        Named,    // a holder answered
        NoAnswer, // taken, but no program answered
        Conflict, // one of several programs that each claim it
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
};

// One platform's way of probing global key combinations. A failure that
// stops the whole probe (a lost display connection, say) is thrown as a
// std::exception whose what() says what went wrong.
class CensusBackend
{
public:
    virtual ~CensusBackend() = default;

    // Every combination that is not free, taken or failed, in the dialog's
    // order: lowest key first, within a key Ctrl+Alt+Shift+Win down to the
    // key alone.
    virtual std::vector<ProbeResult> Census() = 0;

    // The state of one combination, its texts filled in.
    virtual ProbeResult Probe(const Combination& combo) = 0;

    // The key a name stands for: a name of the key table (any case), a common
    // alias, or a code such as "0x4B". Nothing for anything else.
    virtual std::optional<unsigned> ParseKey(std::string_view name) const = 0;

    // The key's name as the key table gives it.
    virtual std::string KeyName(unsigned key) const = 0;

    // Who holds each combination, in the order given; nothing where the
    // platform cannot tell.
    virtual std::optional<std::vector<WhoResult>> Who(const std::vector<Combination>&)
    {
        return std::nullopt;
    }

    // Makes Census and Probe also report the lock variants held (NumLock,
    // CapsLock); false where the platform has no such variants.
    virtual bool ReportLocks() { return false; }
};
