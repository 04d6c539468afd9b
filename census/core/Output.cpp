#include "census/core/Output.h"

#include "census/core/CombinationText.h"
#include "census/core/Utf8.h"
#include "text/SafeText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace {

constexpr std::string_view kTextGap = "  ";

struct FormatName
{
    std::string_view name;
    OutputFormat format;
};

constexpr std::array<FormatName, 4> kFormatNames = {{
    {"text", OutputFormat::Text},
    {"tsv", OutputFormat::Tsv},
    {"csv", OutputFormat::Csv},
    {"json", OutputFormat::Json},
}};

std::string Joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty())
            text += ' ';
        text += item;
    }
    return text;
}

// The field as one cell of text, TSV or CSV.
std::string CellText(const Field& field)
{
    return field.kind == Field::Kind::List ? Joined(field.items) : field.text;
}

// Well-formed UTF-8, with every hidden control a space: a line break, a
// terminal's escape sequence or a bidirectional override inside a value can
// neither forge a row nor change what the reader sees. A tab would split a
// TSV value.
std::string PrintableValue(std::string_view text)
{
    std::string printable;
    for (const char32_t c : DecodeUtf8(text))
        AppendUtf8(printable, IsHiddenControl(c) ? U' ' : c);
    return printable;
}

// Printable, and taken by a spreadsheet as text, never as a formula.
std::string TsvValue(std::string_view text) { return InertCell(PrintableValue(text)); }

// Well-formed UTF-8, never a formula, quoted as RFC 4180 asks.
std::string CsvValue(std::string_view text)
{
    std::string value;
    for (const char32_t c : DecodeUtf8(text))
        AppendUtf8(value, c);
    value = InertCell(std::move(value));
    if (value.find_first_of(",\"\r\n") == std::string::npos
        && (value.empty() || (value.front() != ' ' && value.back() != ' ')))
        return value;
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void AppendJsonEscape(std::string& json, char32_t unit)
{
    char escaped[16];
    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(unit));
    json += escaped;
}

// Plain ASCII whatever the value holds: every other character is escaped,
// beyond U+FFFF as its UTF-16 surrogate pair.
std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (const char32_t c : DecodeUtf8(text)) {
        if (c == U'"' || c == U'\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c >= 0x10000) {
            AppendJsonEscape(json, 0xD800 + ((c - 0x10000) >> 10));
            AppendJsonEscape(json, 0xDC00 + ((c - 0x10000) & 0x3FF));
        } else if (IsControlCharacter(c) || c >= 0x80) {
            AppendJsonEscape(json, c);
        } else {
            json += static_cast<char>(c);
        }
    }
    return json + '"';
}

std::string JsonValue(const Field& field)
{
    switch (field.kind) {
    case Field::Kind::Flag:
        return field.text == "1" ? "true" : "false";
    case Field::Kind::Number:
        return field.text.empty() ? "null" : field.text;
    case Field::Kind::List: {
        std::string json = "[";
        for (const std::string& item : field.items)
            json += (json.size() > 1 ? "," : "") + JsonString(item);
        return json + ']';
    }
    case Field::Kind::Text:
        break;
    }
    return JsonString(field.text);
}

// Characters, not bytes: a name beyond ASCII still lines up.
size_t TextWidth(std::string_view text)
{
    return static_cast<size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string TextTitle(std::string name)
{
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

} // namespace

std::optional<OutputFormat> ParseOutputFormat(std::string_view name)
{
    for (const FormatName& format : kFormatNames) {
        if (EqualsIgnoringCase(name, format.name))
            return format.format;
    }
    return std::nullopt;
}

RecordWriter::RecordWriter(std::ostream& out, OutputFormat format, Layout layout, std::vector<Column> columns)
    : m_out(out), m_format(format), m_layout(layout), m_columns(std::move(columns))
{
    if (m_format == OutputFormat::Tsv || m_format == OutputFormat::Csv) {
        Record header;
        for (const Column& column : m_columns)
            header.push_back(Field::Of(column.name));
        Add(std::move(header));
    }
    if (m_format == OutputFormat::Text && m_layout == Layout::Document) {
        Record header;
        for (const Column& column : m_columns)
            header.push_back(Field::Of(TextTitle(column.name)));
        m_textRows.push_back(std::move(header));
    }
}

void RecordWriter::Add(Record record)
{
    switch (m_format) {
    case OutputFormat::Text:
        m_textRows.push_back(std::move(record));
        return;
    case OutputFormat::Tsv:
    case OutputFormat::Csv: {
        const bool tsv = m_format == OutputFormat::Tsv;
        for (size_t i = 0; i < record.size(); ++i) {
            const std::string cell = CellText(record[i]);
            m_out << (i ? (tsv ? "\t" : ",") : "") << (tsv ? TsvValue(cell) : CsvValue(cell));
        }
        m_out << '\n';
        return;
    }
    case OutputFormat::Json:
        WriteJson(record);
        return;
    }
}

void RecordWriter::WriteJson(const Record& record)
{
    if (m_layout == Layout::Document)
        m_out << (m_jsonRecords ? ",\n  " : "[\n  ");
    m_out << '{';
    for (size_t i = 0; i < record.size(); ++i)
        m_out << (i ? ", " : "") << JsonString(m_columns[i].name) << ": " << JsonValue(record[i]);
    m_out << '}';
    if (m_layout == Layout::Stream)
        m_out << '\n';
    ++m_jsonRecords;
}

void RecordWriter::WriteTextBatch()
{
    std::vector<size_t> widths;
    for (const Column& column : m_columns)
        widths.push_back(column.textWidth);
    std::vector<std::vector<std::string>> cells;
    for (const Record& row : m_textRows) {
        std::vector<std::string>& line = cells.emplace_back();
        for (size_t i = 0; i < row.size(); ++i) {
            line.push_back(PrintableValue(CellText(row[i])));
            widths[i] = std::max(widths[i], TextWidth(line.back()));
        }
    }
    for (const std::vector<std::string>& row : cells) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i) {
            if (!m_columns[i].inText)
                continue;
            line += row[i] + std::string(widths[i] - TextWidth(row[i]), ' ') + std::string(kTextGap);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        m_out << line << '\n';
    }
    m_textRows.clear();
}

void RecordWriter::Flush()
{
    if (m_format == OutputFormat::Text)
        WriteTextBatch();
    m_out.flush();
}

void RecordWriter::Finish()
{
    if (m_format == OutputFormat::Json && m_layout == Layout::Document)
        m_out << (m_jsonRecords ? "\n]\n" : "[]\n");
    Flush();
}
