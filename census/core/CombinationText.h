#pragma once

#include "census/core/CensusBackend.h"

#include <optional>
#include <string>
#include <string_view>

// The code as the key tables write it: "0x4b".
std::string CodeText(unsigned key);

// "Ctrl+Alt+Shift+Win+" as far as the modifiers go, then the key's text.
std::string CombinationText(unsigned modifiers, std::string_view keyText);

// A combination typed by a person: modifier names (Ctrl or Control, Alt,
// Shift, Win or Super, any case), each followed by "+", then a key the backend
// knows. The key may itself contain "+", as in "Ctrl++=".
struct ParsedCombination
{
    std::optional<Combination> combo;
    std::string error; // why the text is not a combination
};
ParsedCombination ParseCombination(std::string_view text, const CensusBackend& backend);

// A code written "0x4B" (any case, at least one hexadecimal digit).
std::optional<unsigned> ParseHexCode(std::string_view text);

// True when the two texts are equal, ignoring ASCII case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// True when the text begins with the prefix, ignoring ASCII case.
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The text without the spaces and tabs around it.
std::string_view Trimmed(std::string_view text);
