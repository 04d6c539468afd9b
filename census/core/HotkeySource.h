#pragma once

#include "census/core/Combination.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One row of the census: what a source found out about one combination.
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
    std::string source = {};        // the name of the source that found it; empty for a free combination
    std::string holder = {};        // who holds it, where the source can tell: a shortcut file's path
    std::string action = {};        // what a press starts, where the source can tell
    // The key's code in records and in the census's order, where that is not
    // combo.key: an X keycode's keysym, so that the rows of every Linux source
    // share the keysyms' key space.
    std::optional<unsigned> code = {};

    unsigned Code() const { return code.value_or(combo.key); }
};

// One place where hotkeys are found. Its rows are taken or failed, never free
// (but for a probe's answer about one combination), and the census stamps the
// source's name on each of them. A failure that stops the whole source is
// thrown as a std::exception whose what() says what went wrong.
class HotkeySource
{
public:
    virtual ~HotkeySource() = default;

    // Its name in records and in --source: "registered", "shortcut", "x11".
    virtual std::string_view SourceName() const = 0;

    // Everything the source holds or cannot tell about, in any order: the
    // census puts the rows of all sources in its order.
    virtual std::vector<ProbeResult> Census() = 0;

    // What it says about one combination: the rows by which it holds it or
    // cannot tell; when it leaves the combination free, nothing, or for a
    // probe the free row with what else it found (the lock variants held).
    virtual std::vector<ProbeResult> Check(const Combination& combo) = 0;
};

// A source that tries combinations for itself, and so answers for one of them
// without taking the whole census.
class ProbeSource : public HotkeySource
{
public:
    // The state of one combination, free included, its texts filled in.
    virtual ProbeResult Probe(const Combination& combo) = 0;

    std::vector<ProbeResult> Check(const Combination& combo) override { return {Probe(combo)}; }
};

// A source that reads what others declared: it answers for one combination
// from its whole table.
class TableSource : public HotkeySource
{
public:
    std::vector<ProbeResult> Check(const Combination& combo) override;

protected:
    // Whether a row of the table stands for the combination. A table that
    // names its keys rather than coding them (keysym names, say) compares
    // those names instead.
    virtual bool Matches(const ProbeResult& row, const Combination& combo) const;
};

// Puts rows in the census's order: lowest code first, within a key
// Ctrl+Alt+Shift+Win down to the key alone; rows of the same combination keep
// their order.
void PutInCensusOrder(std::vector<ProbeResult>& rows);

// Every row of the sources, each stamped with its source's name, in the
// census's order: lowest code first, within a key Ctrl+Alt+Shift+Win down to
// the key alone; rows of the same combination in the order of the sources.
std::vector<ProbeResult> CensusOf(const std::vector<HotkeySource*>& sources);

// What the sources say about one combination: the rows by which they hold it
// or cannot tell, each stamped with its source's name, in the order of the
// sources. When none holds it, the first free row a probe gave, without a
// source; nothing when no source probes.
std::vector<ProbeResult> CheckIn(const std::vector<HotkeySource*>& sources, const Combination& combo);
