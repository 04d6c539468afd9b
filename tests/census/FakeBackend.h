#pragma once

#include "census/core/CensusBackend.h"
#include "census/core/CombinationText.h"

#include <stdexcept>

// A table of the test's own, read afresh at each census.
class FakeTable : public TableSource
{
public:
    std::vector<ProbeResult> rows;

    std::string_view SourceName() const override { return "shortcut"; }
    std::vector<ProbeResult> Census() override { return rows; }
};

// A platform of the test's own: keys are the letters A to Z (their ASCII
// codes), "+=" (0xBB) and hexadecimal codes; Census returns the scans given,
// one per call, the last one again and again. Its table is a second source.
class FakeBackend : public CensusBackend
{
public:
    FakeTable table;
    std::vector<std::vector<ProbeResult>> scans = {{}};
    std::vector<ProbeResult> known; // what Probe answers; anything else is free
    std::optional<std::vector<WhoResult>> whoAnswers;
    std::vector<Combination> whoAsked; // the combinations of the last Who
    bool hasLocks = false;
    bool failWholeCensus = false;
    int probes = 0;
    int censuses = 0;

    static ProbeResult Result(Combination combo, ProbeResult::State state, std::string error = {})
    {
        const std::string name = FakeKeyText(combo.key);
        return {combo, state, std::move(error), name, CombinationText(combo.modifiers, name), {}};
    }

    std::string_view SourceName() const override { return "registered"; }
    std::vector<HotkeySource*> Sources() override { return {this, &table}; }

    std::vector<ProbeResult> Census() override
    {
        if (failWholeCensus)
            throw std::runtime_error("the display went away");
        const size_t scan = static_cast<size_t>(censuses++);
        return scans[std::min(scan, scans.size() - 1)];
    }

    ProbeResult Probe(const Combination& combo) override
    {
        ++probes;
        for (const ProbeResult& result : known) {
            if (result.combo == combo)
                return result;
        }
        return Result(combo, ProbeResult::State::Free);
    }

    std::optional<unsigned> ParseKey(std::string_view name) const override
    {
        if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z')
            return static_cast<unsigned>(name[0]);
        if (name == "+=")
            return 0xBBu;
        return ParseHexCode(name);
    }

    std::string KeyName(unsigned key) const override { return FakeKeyText(key); }

    std::optional<std::vector<WhoResult>> Who(const std::vector<ProbeResult>& asked) override
    {
        whoAsked.clear();
        for (const ProbeResult& probe : asked)
            whoAsked.push_back(probe.combo);
        return whoAnswers;
    }

    bool ReportLocks() override { return hasLocks; }

private:
    static std::string FakeKeyText(unsigned key)
    {
        return key >= 'A' && key <= 'Z' ? std::string(1, static_cast<char>(key)) : "+=";
    }
};
