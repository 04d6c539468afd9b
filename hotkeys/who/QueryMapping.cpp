#include "hotkeys/who/QueryMapping.h"

#include "hotkeys/who/HookModules.h"
#include "win32/ObjectSecurity.h"

#include <cstring>

namespace who {

namespace {

// What holds the query's name now: a running query publishes a report
// window of its own; anything else took the name for itself.
std::string NameHolder()
{
    const UniqueHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, kQueryMappingName));
    Query query{};
    const void* view = mapping ? ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof query) : nullptr;
    if (view) {
        std::memcpy(&query, view, sizeof query);
        ::UnmapViewOfFile(view);
    }
    if (view && query.version == kProtocolVersion && ReportsToInstaller(query))
        return "another who query is running; try again when it has ended";
    return "another program holds the name of the who query, \"KeyvaneWhoQuery\"; who can run again once "
           "that program has ended";
}

} // namespace

QueryMapping::QueryMapping()
{
    UserSecurity security(L"GR", LowIntegrity::MayRead);
    if (!security.Error().empty()) {
        m_error = security.Error();
        return;
    }
    m_mapping.reset(::CreateFileMappingW(
        INVALID_HANDLE_VALUE, security.Attributes(), PAGE_READWRITE, 0, sizeof(Query), kQueryMappingName));
    const DWORD error = ::GetLastError();
    // A name that exists gives us the object of someone else, refuses us (its
    // security is not ours to pass), or names another kind of object.
    const bool nameTaken = m_mapping ? error == ERROR_ALREADY_EXISTS
                                     : error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_HANDLE;
    if (nameTaken) {
        m_mapping.reset();
        m_error = NameHolder();
        return;
    }
    if (!m_mapping) {
        m_error = SystemError("Creating the query mapping", error);
        return;
    }
    m_query = static_cast<Query*>(::MapViewOfFile(m_mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(Query)));
    if (!m_query) {
        m_error = SystemError("Mapping the query", ::GetLastError());
        m_mapping.reset();
    }
}

void QueryMapping::Close()
{
    if (m_query)
        ::UnmapViewOfFile(m_query);
    m_query = nullptr;
    m_mapping.reset();
}

} // namespace who
