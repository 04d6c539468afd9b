#pragma once

#include <string>
#include <vector>

namespace who {

// Whether this program runs elevated: then a DLL or program it loads from a
// place the user's ordinary programs can write would run with its rights.
bool RunsElevated();

// Who besides the system and the administrators could change one of the
// files in the folder (names alone), put files into it, or replace it by
// renaming it or a folder above it: such as "PC\bob may write to C:\x\". Empty
// when nobody else could; what went wrong where the security cannot be read.
std::string WritableByOthers(const std::wstring& folder, const std::vector<std::wstring>& files);

} // namespace who
