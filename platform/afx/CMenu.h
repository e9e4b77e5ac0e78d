#pragma once
// A menu tied to its handle; FromHandle wraps a menu nobody wrapped in a temporary object.

#include "platform/afx/CObject.h"
#include "platform/user/WinUser.h"

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;

    // The object of a menu: its permanent one, or a temporary one; null for a null handle.
    static CMenu* FromHandle(HMENU hMenu);
    // Deletes the calling thread's temporary menu objects (the menus stay).
    static void DeleteTempMap();
    // Takes a menu; FALSE when the object already has one or hMenu is null.
    BOOL Attach(HMENU hNewMenu);
    // Lets go of the menu (which stays) and returns it.
    HMENU Detach();

    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    HMENU m_hMenu { nullptr };
};
