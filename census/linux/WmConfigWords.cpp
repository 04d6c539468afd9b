#include "census/linux/WmConfigWords.h"

namespace {

constexpr std::string_view kWhitespace = " \f\n\r\t\v";

} // namespace

namespace wmconfig {

std::string_view Strip(std::string_view text)
{
    const size_t start = text.find_first_not_of(kWhitespace);
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(kWhitespace) - start + 1);
}

std::vector<std::string> SplitArgs(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    bool inString = false;
    bool inChar = false;
    bool inBrackets = false;
    bool escaped = false;
    for (const char c : text) {
        const bool quoted = inString || inChar || inBrackets || escaped;
        if (!quoted && kWhitespace.find(c) != std::string_view::npos) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
            continue;
        }
        if (c == '"' && !inChar && !escaped)
            inString = !inString;
        else if (c == '\'' && !inString && !escaped)
            inChar = !inChar;
        else if (c == '[' && !inString && !inChar && !escaped)
            inBrackets = true;
        else if (c == ']' && !inString && !inChar && !escaped)
            inBrackets = false;
        escaped = c == '\\' && !escaped;
        word += c;
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

std::string JoinArgs(const std::vector<std::string>& words, size_t from)
{
    std::string joined;
    for (size_t i = from; i < words.size(); ++i)
        joined += (i == from ? "" : " ") + words[i];
    return joined;
}

std::string StripQuotes(std::string_view word)
{
    std::string stripped;
    bool inString = false;
    bool inChar = false;
    bool escaped = false;
    for (const char c : word) {
        if (c == '\'' && !inString && !escaped) {
            inChar = !inChar;
            continue;
        }
        if (c == '"' && !inChar && !escaped) {
            inString = !inString;
            continue;
        }
        escaped = c == '\\' && !escaped;
        stripped += c;
    }
    return stripped;
}

std::string Unescape(std::string_view word)
{
    constexpr std::string_view kEscapes = "abfnrtv";
    constexpr std::string_view kCharacters = "\a\b\f\n\r\t\v";
    std::string plain;
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '\\' || i + 1 == word.size()) {
            plain += word[i];
            continue;
        }
        const char next = word[++i];
        if (next == '0')
            break;
        if (const size_t escape = kEscapes.find(next); escape != std::string_view::npos)
            plain += kCharacters[escape];
        else if (next == '\\' || next == '\'' || next == '"' || next == '?')
            plain += next;
        else
            plain.append({'\\', next});
    }
    return plain;
}

std::string_view NextWord(std::string_view& rest)
{
    rest = Strip(rest);
    if (rest.empty())
        return {};
    if (rest[0] == '"' || rest[0] == '\'') {
        const size_t end = rest.find(rest[0], 1);
        const std::string_view word = rest.substr(1, end == std::string_view::npos ? end : end - 1);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        return word;
    }
    const size_t end = std::min(rest.find_first_of(kWhitespace), rest.size());
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

} // namespace wmconfig
