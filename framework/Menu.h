#pragma once

#include <windows.h>

// A menu that belongs to someone else (the system menu of a window): the
// object borrows the handle and never destroys it.
class CMenu
{
public:
    explicit CMenu(HMENU hMenu = nullptr) : m_hMenu(hMenu) { }

    HMENU m_hMenu;

    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0, LPCSTR newItem = nullptr)
    {
        return ::InsertMenuA(m_hMenu, position, flags, idNewItem, newItem);
    }
};
