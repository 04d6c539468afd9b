#include "census/core/Records.h"

namespace {

// The fields every record starts with.
std::vector<Column> CombinationColumns()
{
    return {{"combination", true}, {"key", true}, {"code", true}, {"ctrl", false}, {"alt", false},
        {"shift", false}, {"win", false}};
}

Record CombinationRecord(
    const Combination& combo, unsigned code, const std::string& comboText, const std::string& keyName)
{
    return {Field::Of(comboText), Field::Of(keyName), Field::Of(CodeText(code)),
        Field::Flag(combo.modifiers & kModCtrl), Field::Flag(combo.modifiers & kModAlt),
        Field::Flag(combo.modifiers & kModShift), Field::Flag(combo.modifiers & kModWin)};
}

// The fields that say where a record comes from: source, holder, action.
std::vector<Column> OriginColumns() { return {{"source", true}, {"holder", true}, {"action", false}}; }

void AddOrigin(
    Record& record, const std::string& source, const std::string& holder, const std::string& action)
{
    record.push_back(Field::Of(source));
    record.push_back(Field::Of(holder));
    record.push_back(Field::Of(action));
}

const char* WhoStateName(WhoResult::State state)
{
    switch (state) {
    case WhoResult::State::Free:
        return "free";
    case WhoResult::State::Named:
        return "taken";
    case WhoResult::State::NoAnswer:
        return "no answer";
    case WhoResult::State::Conflict:
        return "conflict";
    case WhoResult::State::Withheld:
        return "not pressed";
    case WhoResult::State::Failed:
        break;
    }
    return "failed";
}

// An id of 0 names no process or thread.
Field IdField(unsigned long id) { return Field::Number(id ? std::optional<long long>(id) : std::nullopt); }

} // namespace

const char* StateName(ProbeResult::State state)
{
    switch (state) {
    case ProbeResult::State::Free:
        return "free";
    case ProbeResult::State::Taken:
        return "taken";
    case ProbeResult::State::Failed:
        break;
    }
    return "failed";
}

std::vector<Column> ProbeColumns(bool withLocks)
{
    std::vector<Column> columns = CombinationColumns();
    columns.push_back({"state", true});
    for (Column& column : OriginColumns())
        columns.push_back(std::move(column));
    columns.push_back({"error", true});
    if (withLocks)
        columns.push_back({"locks", true});
    return columns;
}

Record ProbeRecord(const ProbeResult& result, bool withLocks)
{
    Record record = CombinationRecord(result.combo, result.Code(), result.comboText, result.keyName);
    record.push_back(Field::Of(StateName(result.state)));
    AddOrigin(record, result.source, result.holder, result.action);
    record.push_back(Field::Of(result.error));
    if (withLocks)
        record.push_back(Field::ListOf(result.locks));
    return record;
}

std::vector<Column> WhoColumns()
{
    std::vector<Column> columns = CombinationColumns();
    columns.push_back({"state", true});
    for (Column& column : OriginColumns())
        columns.push_back(std::move(column));
    for (const char* name :
        {"process", "executable", "window_title", "window_class", "thread", "hotkey_id", "error"})
        columns.push_back({name, true});
    return columns;
}

Record WhoRecord(const WhoResult& result, const std::string& source)
{
    Record record = CombinationRecord(result.combo, result.Code(), result.comboText, result.keyName);
    const bool named = result.state == WhoResult::State::Named || result.state == WhoResult::State::Conflict;
    record.push_back(Field::Of(WhoStateName(result.state)));
    if (result.state == WhoResult::State::Withheld)
        AddOrigin(record, result.source, result.holder, result.action);
    else
        AddOrigin(record, result.state == WhoResult::State::Free ? std::string() : source,
            named ? result.executable : std::string(), {});
    record.push_back(IdField(result.processId));
    record.push_back(Field::Of(result.executable));
    record.push_back(Field::Of(result.windowTitle));
    record.push_back(Field::Of(result.windowClass));
    record.push_back(IdField(result.threadId));
    // A hotkey id is a registration's, which a thread made: X11 grabs have none.
    const bool registered = named && result.threadId != 0;
    record.push_back(Field::Number(registered ? std::optional<long long>(result.hotkeyId) : std::nullopt));
    record.push_back(Field::Of(result.error));
    return record;
}
