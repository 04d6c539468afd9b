#include "census/core/Watch.h"

#include "census/core/Records.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace {

// A row is the same one again when the same source holds the same combination
// for the same holder, in the same state.
bool SameFinding(const ProbeResult& a, const ProbeResult& b)
{
    return a.combo == b.combo && a.source == b.source && a.holder == b.holder && a.state == b.state
        && a.locks == b.locks;
}

bool Contains(const std::vector<ProbeResult>& scan, const ProbeResult& result)
{
    return std::any_of(
        scan.begin(), scan.end(), [&](const ProbeResult& other) { return SameFinding(result, other); });
}

const char* EventName(WatchEvent::Kind kind)
{
    switch (kind) {
    case WatchEvent::Kind::Present:
        return "present";
    case WatchEvent::Kind::Appeared:
        return "appeared";
    case WatchEvent::Kind::Disappeared:
        break;
    }
    return "disappeared";
}

std::vector<Column> WatchColumns(bool withLocks)
{
    // Events line up from batch to batch however short this batch's are.
    const size_t longestEvent = std::string_view(EventName(WatchEvent::Kind::Disappeared)).size();
    std::vector<Column> columns = {{"time", true}, {"event", true, longestEvent}};
    for (Column& column : ProbeColumns(withLocks))
        columns.push_back(std::move(column));
    return columns;
}

} // namespace

std::vector<WatchEvent> CompareScans(
    const std::vector<ProbeResult>& before, const std::vector<ProbeResult>& after)
{
    std::vector<WatchEvent> events;
    for (const ProbeResult& result : before) {
        if (!Contains(after, result))
            events.push_back({WatchEvent::Kind::Disappeared, result});
    }
    for (const ProbeResult& result : after) {
        if (!Contains(before, result))
            events.push_back({WatchEvent::Kind::Appeared, result});
    }
    return events;
}

std::string UtcTimestamp(std::chrono::system_clock::time_point time)
{
    using namespace std::chrono;
    const auto milliseconds = floor<std::chrono::milliseconds>(time);
    const auto day = floor<days>(milliseconds);
    const year_month_day date(day);
    const hh_mm_ss clock(milliseconds - day);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
        static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
        static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
        static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
    return text;
}

bool RunWatch(const std::vector<HotkeySource*>& sources, const WatchOptions& options, std::ostream& out,
    OutputFormat format, const OutputWait& wait)
{
    RecordWriter writer(out, format, RecordWriter::Layout::Stream, WatchColumns(options.withLocks));
    std::vector<ProbeResult> previous;
    // Output nobody reads any more (a closed pipe) ends the watch.
    for (unsigned long scan = 0; out && (!options.scans || scan < *options.scans); ++scan) {
        if (scan > 0 && !wait(options.interval))
            return false;
        std::vector<ProbeResult> current = CensusOf(sources);
        const std::string time = UtcTimestamp(std::chrono::system_clock::now());
        std::vector<WatchEvent> events = CompareScans(previous, current);
        for (const WatchEvent& event : events) {
            Record record
                = {Field::Of(time), Field::Of(EventName(scan == 0 ? WatchEvent::Kind::Present : event.kind))};
            for (Field& field : ProbeRecord(event.result, options.withLocks))
                record.push_back(std::move(field));
            writer.Add(std::move(record));
        }
        writer.Flush();
        previous = std::move(current);
    }
    return true;
}
