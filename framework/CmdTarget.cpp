#include "framework/CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMapEntry noEntries[] = {{0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, noEntries};
    return &map;
}

const MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

bool CCmdTarget::OnCmdMsg(UINT id, UINT code)
{
    const MessageMapEntry* entry = FindEntry(WM_COMMAND, code, id);
    if (!entry)
        return false;
    entry->call(this, MAKEWPARAM(id, code), 0);
    return true;
}

const MessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const
{
    const bool matchesCode = message == WM_COMMAND || message == WM_NOTIFY
        || message == kReflectBase + WM_COMMAND || message == kReflectBase + WM_NOTIFY;
    const bool matchesId = message == WM_COMMAND || message == WM_NOTIFY;
    for (const MessageMap* map = GetMessageMap(); map; map = map->baseMap ? map->baseMap() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->call; ++entry) {
            if (entry->message == message && (!matchesCode || entry->code == code)
                && (!matchesId || entry->id == id))
                return entry;
        }
    }
    return nullptr;
}
