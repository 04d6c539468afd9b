#pragma once

#include <string>
#include <string_view>

namespace who {

// The text in UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8(std::wstring_view text);

} // namespace who
