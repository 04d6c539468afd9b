#include "census/core/CensusBackend.h"

#include "census/core/CombinationText.h"

#include <algorithm>
#include <exception>
#include <iterator>

std::string CensusBackend::KeyText(unsigned key) const
{
    // Several keys may carry the same name, and some carry none.
    std::string name = KeyName(key);
    return !name.empty() && ParseKey(name) == key ? name : CodeText(key);
}

ProbeResult CensusBackend::Row(const Combination& combo, ProbeResult::State state) const
{
    return {combo, state, {}, KeyName(combo.key), CombinationText(combo.modifiers, KeyText(combo.key)), {}};
}

std::vector<ProbeResult> OtherSourcesRows(CensusBackend& backend, std::vector<SourceFailure>& failures)
{
    std::vector<ProbeResult> rows;
    for (HotkeySource* source : backend.Sources()) {
        if (source == static_cast<HotkeySource*>(&backend))
            continue;
        try {
            std::ranges::copy_if(CensusOf({source}), std::back_inserter(rows),
                [](const ProbeResult& row) { return row.state == ProbeResult::State::Taken; });
        } catch (const std::exception& failure) {
            failures.push_back({std::string(source->SourceName()), failure.what()});
        }
    }
    PutInCensusOrder(rows);
    return rows;
}
