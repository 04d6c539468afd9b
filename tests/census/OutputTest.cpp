#include "census/core/Output.h"
#include "tests/census/FormatParsers.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::vector<Column> kColumns = {{"name", true}, {"flag", false}, {"list", true}, {"note", true}};

Record Row(std::string name, bool flag, std::vector<std::string> list, std::string note)
{
    return {Field::Of(std::move(name)), Field::Flag(flag), Field::ListOf(std::move(list)),
        Field::Of(std::move(note))};
}

std::string Write(OutputFormat format, RecordWriter::Layout layout, const std::vector<Record>& rows)
{
    std::ostringstream out;
    RecordWriter writer(out, format, layout, kColumns);
    for (const Record& row : rows)
        writer.Add(row);
    writer.Finish();
    return out.str();
}

ParsedRecord Expected(std::string name, std::string flag, std::string list, std::string note)
{
    return {{"name", std::move(name)}, {"flag", std::move(flag)}, {"list", std::move(list)},
        {"note", std::move(note)}};
}

TEST(Output, MachineFormatsCarryAwkwardValuesIntact)
{
    const std::vector<Record> rows = {
        Row("Alt+,<", true, {"NumLock", "CapsLock"}, "say \"hi\", then go"),
        Row(" padded ", false, {}, "line\r\nbreak\tand tab"),
        Row("back\\slash", true, {"x"}, "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"),
        Row("", false, {}, ""),
    };
    const ParsedRecords expected = {
        Expected("Alt+,<", "1", "NumLock CapsLock", "say \"hi\", then go"),
        Expected(" padded ", "0", "", "line\r\nbreak\tand tab"),
        Expected("back\\slash", "1", "x", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"),
        Expected("", "0", "", ""),
    };
    for (const auto layout : {RecordWriter::Layout::Document, RecordWriter::Layout::Stream}) {
        EXPECT_EQ(expected, ParseCsv(Write(OutputFormat::Csv, layout, rows)));
        EXPECT_EQ(expected, ParseJson(Write(OutputFormat::Json, layout, rows)));
        // TSV has no quoting: a tab or a line break would split the record.
        ParsedRecords tsvExpected = expected;
        tsvExpected[1][3].second = "line  break and tab";
        EXPECT_EQ(tsvExpected, ParseTsv(Write(OutputFormat::Tsv, layout, rows)));
    }
}

std::string WriteOne(OutputFormat format, std::vector<Column> columns, Record record,
    RecordWriter::Layout layout = RecordWriter::Layout::Stream)
{
    std::ostringstream out;
    RecordWriter writer(out, format, layout, std::move(columns));
    writer.Add(std::move(record));
    writer.Finish();
    return out.str();
}

TEST(Output, JsonEscapesCharactersAndNeverPassesBadBytes)
{
    const auto json = [](std::string value) {
        return WriteOne(OutputFormat::Json, {{"v", true}}, {Field::Of(std::move(value))});
    };
    EXPECT_EQ("{\"v\": \"\\u00e9\\u20ac\\ud83d\\ude00\\u0001\\u007f\\u0085\"}\n",
        json("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x01\x7F\xC2\x85"))
        << "a code point each, above U+FFFF as a surrogate pair";
    const std::pair<const char*, const char*> malformed[] = {
        {"a\xE9z", "a\\ufffdz"},                              // Latin-1, not UTF-8
        {"\xE2\x82", "\\ufffd\\ufffd"},                       // cut short
        {"\xC0\xAF", "\\ufffd\\ufffd"},                       // overlong "/"
        {"\xED\xA0\x80", "\\ufffd\\ufffd\\ufffd"},            // a surrogate
        {"\xF4\x90\x80\x80", "\\ufffd\\ufffd\\ufffd\\ufffd"}, // beyond U+10FFFF
        {"\x80\xE2\x82\xAC", "\\ufffd\\u20ac"},               // a stray continuation
    };
    for (const auto& [bytes, escaped] : malformed)
        EXPECT_EQ(std::string("{\"v\": \"") + escaped + "\"}\n", json(bytes)) << escaped;
    EXPECT_EQ(
        "a\xEF\xBF\xBDz\n", WriteOne(OutputFormat::Tsv, {{"v", true}}, {Field::Of("a\xE9z")}).substr(2));
}

TEST(Output, ControlCharactersInsideValuesForgeNoRows)
{
    // A window title an attacker chose: a line break, a tab, an escape
    // sequence that clears the screen, and C1's next line; the columns line up
    // by characters.
    const std::string title = "Evil\r\nCtrl+Alt+K\tK\x1B[2J\xC2\x85\xC3\xA9nd";
    const std::vector<Column> columns = {{"title", true}, {"after", true}};
    const Record record = {Field::Of(title), Field::Of("x")};
    EXPECT_EQ("Title                       After\n"
              "Evil  Ctrl+Alt+K K [2J \xC3\xA9nd  x\n",
        WriteOne(OutputFormat::Text, columns, record, RecordWriter::Layout::Document));
    EXPECT_EQ(
        "title\tafter\nEvil  Ctrl+Alt+K K [2J \xC3\xA9nd\tx\n", WriteOne(OutputFormat::Tsv, columns, record));
    EXPECT_EQ((ParsedRecords{{{"title", title}, {"after", "x"}}}),
        ParseCsv(WriteOne(OutputFormat::Csv, columns, record)));
}

TEST(Output, SpreadsheetsTakeNoValueForAFormula)
{
    const std::vector<Column> columns = {{"v", true}};
    const std::pair<const char*, const char*> cells[] = {{"=HYPERLINK(1)", "'=HYPERLINK(1)"}, {"+1", "'+1"},
        {"@SUM(A1)", "'@SUM(A1)"}, {"-", "'-"}, {"-1+1", "'-1+1"}, {"\r=1", "'\r=1"}, {"\t=1", "'\t=1"},
        {"-12", "-12"}, {"a=b", "a=b"}, {"", ""}};
    for (const auto& [value, inert] : cells) {
        EXPECT_EQ((ParsedRecords{{{"v", inert}}}),
            ParseCsv(WriteOne(OutputFormat::Csv, columns, {Field::Of(value)})))
            << value;
        EXPECT_EQ(std::string(value).find_first_of("\t\r") == 0 ? " =1" : inert,
            ParseTsv(WriteOne(OutputFormat::Tsv, columns, {Field::Of(value)}))[0][0].second)
            << "a tab or a line break is a space first, and then opens nothing";
        EXPECT_EQ(value, ParseJson(WriteOne(OutputFormat::Json, columns, {Field::Of(value)}))[0][0].second);
    }
    EXPECT_EQ("v\n-5\n", WriteOne(OutputFormat::Csv, columns, {Field::Number(-5)}));
}

TEST(Output, BidiControlsReorderNothingAPersonReads)
{
    // Each one: the Arabic letter mark, the marks, an embedding, the override, an isolate.
    const std::string value = "a\xD8\x9C"
                              "b\xE2\x80\x8E"
                              "c\xE2\x80\x8F"
                              "d\xE2\x80\xAA"
                              "e\xE2\x80\xAE"
                              "f\xE2\x81\xA6"
                              "g\xE2\x81\xA9"
                              "h";
    const std::vector<Column> columns = {{"v", true}};
    EXPECT_EQ("V\na b c d e f g h\n",
        WriteOne(OutputFormat::Text, columns, {Field::Of(value)}, RecordWriter::Layout::Document));
    EXPECT_EQ("v\na b c d e f g h\n", WriteOne(OutputFormat::Tsv, columns, {Field::Of(value)}));
    EXPECT_EQ(value, ParseJson(WriteOne(OutputFormat::Json, columns, {Field::Of(value)}))[0][0].second);
}

TEST(Output, NumbersAreJsonNumbersOrNull)
{
    const std::vector<Column> columns = {{"id", true}, {"none", true}};
    const Record record = {Field::Number(272), Field::Number(std::nullopt)};
    EXPECT_EQ("{\"id\": 272, \"none\": null}\n", WriteOne(OutputFormat::Json, columns, record));
    EXPECT_EQ("id,none\n272,\n", WriteOne(OutputFormat::Csv, columns, record));
}

TEST(Output, JsonOfNothingIsStillADocument)
{
    EXPECT_EQ("[]\n", Write(OutputFormat::Json, RecordWriter::Layout::Document, {}));
    EXPECT_EQ("", Write(OutputFormat::Json, RecordWriter::Layout::Stream, {}));
}

TEST(Output, TextAlignsColumnsUnderTheirTitles)
{
    const std::string text = Write(OutputFormat::Text, RecordWriter::Layout::Document,
        {Row("Ctrl+Alt+Shift+Win+K", true, {"NumLock"}, ""), Row("K", false, {}, "why not")});
    EXPECT_EQ("Name                  List     Note\n"
              "Ctrl+Alt+Shift+Win+K  NumLock\n"
              "K                              why not\n",
        text);
    EXPECT_EQ((ParsedRecords{{{"name", "Ctrl+Alt+Shift+Win+K"}, {"list", "NumLock"}, {"note", ""}},
                  {{"name", "K"}, {"list", ""}, {"note", "why not"}}}),
        ParseAlignedText(text));
}

TEST(Output, TextStreamAlignsEachBatchWithoutHeader)
{
    std::ostringstream out;
    RecordWriter writer(out, OutputFormat::Text, RecordWriter::Layout::Stream, kColumns);
    writer.Add(Row("Ctrl+K", false, {}, "a"));
    writer.Add(Row("K", false, {}, "b"));
    EXPECT_EQ("", out.str()) << "held back until the batch is complete";
    writer.Flush();
    writer.Add(Row("Win+K", false, {}, "c"));
    writer.Finish();
    EXPECT_EQ("Ctrl+K    a\nK         b\nWin+K    c\n", out.str());

    std::ostringstream wide;
    RecordWriter minimum(
        wide, OutputFormat::Text, RecordWriter::Layout::Stream, {{"a", true, 3}, {"b", true}});
    minimum.Add({Field::Of("x"), Field::Of("y")});
    minimum.Finish();
    EXPECT_EQ("x    y\n", wide.str()) << "a column's least width";
}

} // namespace
