#pragma once

#include "census/core/CensusBackend.h"

#include <string>

// A table read from another program's files. What could not be read is a
// failed row without a key: nobody can tell which combinations it holds, so
// it answers for every combination asked about.
class ReadTableSource : public TableSource
{
public:
    // Names the keys as the platform does.
    explicit ReadTableSource(const CensusBackend& platform) : m_platform(platform) { }

    std::vector<ProbeResult> Check(const Combination& combo) override;

protected:
    bool Matches(const ProbeResult& row, const Combination& combo) const override;

    const CensusBackend& Platform() const { return m_platform; }

private:
    const CensusBackend& m_platform;
};

// A combination the table holds, with the platform's texts for it.
ProbeResult TakenRow(
    const CensusBackend& platform, const Combination& combo, std::string holder, std::string action);

// What could not be read, and why.
ProbeResult UnreadRow(std::string holder, std::string reason);
