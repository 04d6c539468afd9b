#pragma once

#include <string>
#include <utility>
#include <vector>

// The census's output read back, each record as its fields in order, so that
// every format can be compared with the others and with what was expected.
// Flags read "1" or "0", lists their items joined by spaces and absent numbers
// "", whatever the format wrote.
using ParsedRecord = std::vector<std::pair<std::string, std::string>>;
using ParsedRecords = std::vector<ParsedRecord>;

ParsedRecords ParseTsv(const std::string& text);
ParsedRecords ParseCsv(const std::string& text);
// A JSON array of objects, or one object per line.
ParsedRecords ParseJson(const std::string& text);
// The aligned text form, whose header gives the columns and where they start.
ParsedRecords ParseAlignedText(const std::string& text);

// The record with only the named fields, in that order.
ParsedRecord Only(const ParsedRecord& record, const std::vector<std::string>& names);
