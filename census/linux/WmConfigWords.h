#pragma once

#include <string>
#include <string_view>
#include <vector>

// How sway, and i3 where it agrees, takes a configuration line into words.
namespace wmconfig {

// The text without blanks (space, tab, line breaks) at either end.
std::string_view Strip(std::string_view text);

// sway's split_args: words apart by blanks outside quotes and [criteria];
// quotes stay in the words.
std::vector<std::string> SplitArgs(std::string_view text);

// The words from that one on, one space between each two.
std::string JoinArgs(const std::vector<std::string>& words, size_t from);

// The quotes that no backslash escapes, taken out.
std::string StripQuotes(std::string_view word);

// C's escapes undone, as sway does to every argument.
std::string Unescape(std::string_view word);

// The next blank-separated word, its quotes taken off, and what follows it:
// i3's words.
std::string_view NextWord(std::string_view& rest);

} // namespace wmconfig
