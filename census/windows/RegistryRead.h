#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Reads of another component's settings in the registry, each by the type
// its owner stores. Nothing where the key or value is missing or of another
// type: the caller knows what the owner does without it.
std::optional<std::wstring> RegistryText(HKEY root, const wchar_t* subkey, const wchar_t* name);
std::optional<DWORD> RegistryDword(HKEY root, const wchar_t* subkey, const wchar_t* name);

// A 4-byte REG_BINARY value, as little-endian as the system writes it.
std::optional<DWORD> RegistryBinaryDword(HKEY root, const wchar_t* subkey, const wchar_t* name);

// The names of the key's subkeys; none where it cannot be opened.
std::vector<std::wstring> RegistrySubkeys(HKEY root, const wchar_t* subkey);
