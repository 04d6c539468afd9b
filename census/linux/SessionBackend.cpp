#include "census/linux/SessionBackend.h"

#include "census/linux/Keysyms.h"

SessionBackend::SessionBackend()
{
    for (const DesktopSource table : OfferedDesktopSources())
        m_tables.push_back(std::make_unique<DesktopTableSource>(table, *this));
}

std::vector<HotkeySource*> SessionBackend::Sources()
{
    std::vector<HotkeySource*> sources;
    if (UsesDisplay())
        sources.push_back(&m_x11);
    for (const std::unique_ptr<DesktopTableSource>& table : m_tables)
        sources.push_back(table.get());
    return sources;
}

std::optional<unsigned> SessionBackend::ParseKey(std::string_view name) const
{
    return UsesDisplay() ? m_x11.ParseKey(name) : ParseKeysym(name);
}

std::string SessionBackend::KeyName(unsigned key) const
{
    return UsesDisplay() ? m_x11.KeyName(key) : KeysymName(key);
}

std::vector<unsigned> SessionBackend::Keysyms(unsigned key) const
{
    return UsesDisplay() ? m_x11.Keysyms(key) : std::vector<unsigned>{key};
}
