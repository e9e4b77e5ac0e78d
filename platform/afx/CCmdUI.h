#pragma once
// One user-interface item (a menu item, a toolbar button, a status pane) whose state is asked of the
// command targets: the handler of ON_UPDATE_COMMAND_UI enables it, checks it or sets its text. The
// window classes derive the item kinds; this base only records what the handler asked for.

#include "platform/base/WinTypes.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    // Enables or disables the item.
    virtual void Enable(BOOL bOn = TRUE);
    // Sets the check state: 0 clear, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    // Marks the item as the chosen one of a group.
    virtual void SetRadio(BOOL bOn = TRUE);
    // Sets the item's text.
    virtual void SetText(LPCTSTR lpszText);
    // Lets the request go on to the next command target after this handler.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget for the item's state; when no handler answers and bDisableIfNoHndler is set, the item
    // is disabled unless some target handles the command itself. TRUE when an update handler answered.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID { 0 };
    UINT m_nIndex { 0 };
    CMenu* m_pMenu { nullptr };
    CMenu* m_pSubMenu { nullptr };
    CMenu* m_pParentMenu { nullptr };
    CWnd* m_pOther { nullptr };
    BOOL m_bEnableChanged { FALSE };
    BOOL m_bContinueRouting { FALSE };
    UINT m_nIndexMax { 0 };

    // What the handlers asked for, for the item kinds to apply.
    BOOL m_bEnabled { TRUE };
    int m_nCheck { 0 };
};

// Asks pTarget for the state of each item of a pop-up menu about to show, as a frame does for its menus
// and a window for the context menus it shows itself. Separators are passed over; a nested pop-up asks
// with its first command but its own item is left as it is. A command without an update handler is
// disabled when bDisableIfNoHndler is set and no target handles it (system commands never are). Handlers
// may add or take away items: the walk goes on after the items they made.
void AfxUpdateMenuItems(CMenu* pPopupMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
