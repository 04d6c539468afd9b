#pragma once

#include "win32/UniqueHandle.h"
#include "hotkeys/who/WhoProtocol.h"

#include <string>

namespace who {

// The query published for the hooks under the one name they know, readable
// by every program of this user. Held by one query at a time.
class QueryMapping
{
public:
    QueryMapping();
    ~QueryMapping() { Close(); }

    QueryMapping(const QueryMapping&) = delete;
    QueryMapping& operator=(const QueryMapping&) = delete;

    // Empty when published; otherwise why not (UTF-8), telling another query
    // apart from another program that holds the name.
    const std::string& Error() const { return m_error; }
    // Zero-filled when fresh.
    Query& Get() { return *m_query; }
    // Takes the query back: hooks that run from now on let every press through.
    void Close();

private:
    UniqueHandle m_mapping;
    Query* m_query = nullptr;
    std::string m_error;
};

} // namespace who
