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
        Row("back\\slash", true, {"x"}, "caf\xE9"),
        Row("", false, {}, ""),
    };
    const ParsedRecords expected = {
        Expected("Alt+,<", "1", "NumLock CapsLock", "say \"hi\", then go"),
        Expected(" padded ", "0", "", "line\r\nbreak\tand tab"),
        Expected("back\\slash", "1", "x", "caf\xE9"),
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
