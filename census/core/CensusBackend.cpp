#include "census/core/CensusBackend.h"

#include "census/core/CombinationText.h"

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
