#pragma once

#include <string>
#include <string_view>

// The code points of UTF-8 text. Whatever is not well-formed UTF-8 (a stray
// byte, an overlong form, a surrogate, a value beyond U+10FFFF) becomes one
// U+FFFD per byte it spoils, so that nothing else is taken for a character.
std::u32string DecodeUtf8(std::string_view text);

void AppendUtf8(std::string& text, char32_t codePoint);
