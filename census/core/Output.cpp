#include "census/core/Output.h"

#include "census/core/CombinationText.h"

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

// A tab or line break inside a TSV value would split it: they become spaces.
std::string TsvValue(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

std::string CsvValue(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos
        && (text.empty() || (text.front() != ' ' && text.back() != ' ')))
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            // Beyond ASCII the bytes are in no known encoding; each stays one
            // character, so that the document is valid whatever they were.
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + '"';
}

std::string JsonValue(const Field& field)
{
    switch (field.kind) {
    case Field::Kind::Flag:
        return field.text == "1" ? "true" : "false";
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
    for (const Record& row : m_textRows) {
        for (size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], CellText(row[i]).size());
    }
    for (const Record& row : m_textRows) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i) {
            if (!m_columns[i].inText)
                continue;
            const std::string cell = CellText(row[i]);
            line += cell + std::string(widths[i] - cell.size(), ' ') + std::string(kTextGap);
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
