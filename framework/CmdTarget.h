#pragma once

#include "framework/MessageMap.h"
#include "framework/RuntimeClass.h"

// Base of every object that has a message map: windows and the application.
class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)

public:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // Routes a command (menu, accelerator or control notification code) to
    // this object's map; true when a handler took it.
    virtual bool OnCmdMsg(UINT id, UINT code);

protected:
    const MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;
};
