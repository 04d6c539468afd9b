#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

enum class OutputFormat
{
    Text, // aligned columns for a person
    Tsv,
    Csv,
    Json
};

std::optional<OutputFormat> ParseOutputFormat(std::string_view name);

struct Column
{
    std::string name;
    bool inText;          // the text form leaves the others out: the combination says them
    size_t textWidth = 0; // at least this wide in the text form, whatever the batch holds
};

// One value of a record.
struct Field
{
    enum class Kind
    {
        Text,
        Flag,   // 1 or 0; true or false in JSON
        Number, // decimal; empty, or null in JSON, when absent
        List    // items joined by spaces; an array in JSON
    };

    Kind kind;
    std::string text;
    std::vector<std::string> items;

    static Field Of(std::string text) { return {Kind::Text, std::move(text), {}}; }
    static Field Flag(bool set) { return {Kind::Flag, set ? "1" : "0", {}}; }
    static Field Number(std::optional<long long> number)
    {
        return {Kind::Number, number ? std::to_string(*number) : std::string(), {}};
    }
    static Field ListOf(std::vector<std::string> items) { return {Kind::List, {}, std::move(items)}; }
};

using Record = std::vector<Field>; // one field per column, in column order

// Writes records in one of the formats. Values are UTF-8 text; what is not
// well-formed UTF-8 comes out as U+FFFD. The text form and TSV show a hidden
// control (a control character or a bidirectional one) as a space, CSV quotes
// it, JSON escapes it. A TSV or CSV value that a spreadsheet would take for a
// formula gets a single quote before it; JSON keeps every value exactly.
//
// A document (list, check, who) is one table: the text form with a header and
// its columns aligned over all rows, JSON one array of objects. A stream
// (watch) is written as it comes: the text form without a header, aligned
// batch by batch; JSON one object per line. TSV and CSV have one header line
// either way.
class RecordWriter
{
public:
    enum class Layout
    {
        Document,
        Stream
    };

    RecordWriter(std::ostream& out, OutputFormat format, Layout layout, std::vector<Column> columns);

    void Add(Record record);
    // Writes what is held back and flushes the stream.
    void Flush();
    // Ends the document.
    void Finish();

private:
    void WriteTextBatch();
    void WriteJson(const Record& record);

    std::ostream& m_out;
    OutputFormat m_format;
    Layout m_layout;
    std::vector<Column> m_columns;
    std::vector<Record> m_textRows; // held back for alignment
    size_t m_jsonRecords = 0;
};
