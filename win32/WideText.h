#pragma once

#include <string>
#include <string_view>

// Conversions between the system's wide characters (UTF-16) and UTF-8. What
// is not well-formed in the source becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);
