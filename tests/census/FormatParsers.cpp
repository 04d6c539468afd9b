#include "tests/census/FormatParsers.h"

#include <cctype>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace {

// Lines without their line ends (LF or CRLF).
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

ParsedRecords Pair(const std::vector<std::vector<std::string>>& rows)
{
    ParsedRecords records;
    if (rows.empty())
        throw std::runtime_error("no header line");
    for (size_t r = 1; r < rows.size(); ++r) {
        if (rows[r].size() != rows[0].size())
            throw std::runtime_error(
                "row " + std::to_string(r) + " has another number of fields than the header");
        ParsedRecord record;
        for (size_t i = 0; i < rows[r].size(); ++i)
            record.emplace_back(rows[0][i], rows[r][i]);
        records.push_back(record);
    }
    return records;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

class JsonReader
{
public:
    explicit JsonReader(const std::string& text) : m_text(text) { }

    ParsedRecords Records()
    {
        ParsedRecords records;
        SkipSpace();
        if (Peek() == '[') {
            ++m_at;
            while (SkipSpace(), Peek() != ']') {
                records.push_back(Object());
                SkipSpace();
                if (Peek() == ',')
                    ++m_at;
            }
            ++m_at;
        } else {
            while (SkipSpace(), m_at < m_text.size())
                records.push_back(Object());
        }
        return records;
    }

private:
    char Peek() const
    {
        if (m_at >= m_text.size())
            throw std::runtime_error("JSON ends early");
        return m_text[m_at];
    }

    void Expect(char c)
    {
        SkipSpace();
        if (Peek() != c)
            throw std::runtime_error(std::string("JSON: expected ") + c + " at " + std::to_string(m_at));
        ++m_at;
    }

    void SkipSpace()
    {
        while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at])))
            ++m_at;
    }

    ParsedRecord Object()
    {
        ParsedRecord record;
        Expect('{');
        while (SkipSpace(), Peek() != '}') {
            std::string name = String();
            Expect(':');
            record.emplace_back(std::move(name), Value());
            SkipSpace();
            if (Peek() == ',')
                ++m_at;
        }
        ++m_at;
        return record;
    }

    std::string Value()
    {
        SkipSpace();
        if (m_text.compare(m_at, 4, "true") == 0) {
            m_at += 4;
            return "1";
        }
        if (m_text.compare(m_at, 5, "false") == 0) {
            m_at += 5;
            return "0";
        }
        if (m_text.compare(m_at, 4, "null") == 0) {
            m_at += 4;
            return "";
        }
        if (std::isdigit(static_cast<unsigned char>(Peek())) || Peek() == '-') {
            const size_t start = m_at++;
            while (std::isdigit(static_cast<unsigned char>(Peek())))
                ++m_at;
            return m_text.substr(start, m_at - start);
        }
        if (Peek() != '[')
            return String();
        ++m_at;
        std::string joined;
        while (SkipSpace(), Peek() != ']') {
            joined += (joined.empty() ? "" : " ") + String();
            SkipSpace();
            if (Peek() == ',')
                ++m_at;
        }
        ++m_at;
        return joined;
    }

    // After "\\u": the character, from its surrogate pair where it has one.
    unsigned long CodePoint()
    {
        const auto unit = [this] {
            const unsigned long value = std::strtoul(m_text.substr(m_at, 4).c_str(), nullptr, 16);
            m_at += 4;
            return value;
        };
        const unsigned long first = unit();
        if (first < 0xD800 || first > 0xDBFF)
            return first;
        if (m_text.compare(m_at, 2, "\\u") != 0)
            throw std::runtime_error("JSON: lone surrogate");
        m_at += 2;
        return 0x10000 + ((first - 0xD800) << 10) + (unit() - 0xDC00);
    }

    static void AppendUtf8(std::string& text, unsigned long code)
    {
        if (code < 0x80) {
            text += static_cast<char>(code);
            return;
        }
        const int continuations = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        const unsigned char leads[] = {0xC0, 0xE0, 0xF0};
        text += static_cast<char>(leads[continuations - 1] | (code >> (6 * continuations)));
        for (int i = continuations - 1; i >= 0; --i)
            text += static_cast<char>(0x80 | ((code >> (6 * i)) & 0x3F));
    }

    std::string String()
    {
        Expect('"');
        std::string text;
        while (Peek() != '"') {
            char c = m_text[m_at++];
            if (c == '\\') {
                c = m_text[m_at++];
                if (c == 'u') {
                    AppendUtf8(text, CodePoint());
                    continue;
                } else if (c != '"' && c != '\\' && c != '/') {
                    throw std::runtime_error(std::string("JSON: unexpected escape \\") + c);
                }
            } else if (static_cast<unsigned char>(c) < 0x20) {
                throw std::runtime_error("JSON: raw control character in a string");
            }
            text += c;
        }
        ++m_at;
        return text;
    }

    const std::string& m_text;
    size_t m_at = 0;
};

} // namespace

ParsedRecords ParseTsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : Lines(text)) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            fields.push_back(line.substr(start, tab - start));
        fields.push_back(line.substr(start));
        rows.push_back(fields);
    }
    return Pair(rows);
}

ParsedRecords ParseCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().push_back(std::move(field));
            field.clear();
        } else if (c == '\n') {
            if (!field.empty() && field.back() == '\r')
                field.pop_back();
            rows.back().push_back(std::move(field));
            field.clear();
            rows.emplace_back();
        } else {
            field += c;
        }
    }
    if (quoted || !field.empty() || !rows.back().empty())
        throw std::runtime_error("CSV does not end with a complete line");
    rows.pop_back();
    return Pair(rows);
}

ParsedRecords ParseJson(const std::string& text) { return JsonReader(text).Records(); }

ParsedRecords ParseAlignedText(const std::string& text)
{
    const std::vector<std::string> lines = Lines(text);
    if (lines.empty())
        throw std::runtime_error("no header line");
    // Titles are single words, set apart by at least two spaces.
    std::vector<std::pair<std::string, size_t>> columns;
    const std::string& header = lines[0];
    for (size_t at = 0; at < header.size();) {
        const size_t end = header.find(' ', at);
        std::string title = header.substr(at, end == std::string::npos ? std::string::npos : end - at);
        title[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(title[0])));
        columns.emplace_back(title, at);
        at = header.find_first_not_of(' ', end == std::string::npos ? header.size() : end);
    }
    ParsedRecords records;
    for (size_t l = 1; l < lines.size(); ++l) {
        ParsedRecord record;
        for (size_t i = 0; i < columns.size(); ++i) {
            const size_t start = columns[i].second;
            const size_t end = i + 1 < columns.size() ? columns[i + 1].second : std::string::npos;
            const std::string cell = start < lines[l].size() ? lines[l].substr(start, end - start) : "";
            record.emplace_back(columns[i].first, Trimmed(cell));
        }
        records.push_back(record);
    }
    return records;
}

ParsedRecord Only(const ParsedRecord& record, const std::vector<std::string>& names)
{
    ParsedRecord selected;
    for (const std::string& name : names) {
        for (const auto& field : record) {
            if (field.first == name)
                selected.push_back(field);
        }
    }
    return selected;
}
