#pragma once

#include <string>
#include <string_view>

// The text in UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);
