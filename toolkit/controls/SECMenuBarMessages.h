#pragma once
// What makes the menu bar behave like a window's own menu bar: Alt and F10 put it in keyboard mode,
// Alt with a letter opens that menu, the arrow keys move between menus, a pressed button drops its
// popup below itself, moving the mouse along the bar while a popup is open switches popups, and the
// frame's window menu opens from the bar. It works through thread hooks (keyboard and mouse while in
// keyboard mode, the menu loop's message filter while a popup is open), the bar's notifications to
// the frame, and two registered messages. The frame's menu feature embeds it and hands it the
// frame's messages.

#include <memory>

#include "platform/afx/CPoint.h"
#include "platform/afx/CWnd.h"

class SECMenuBar;
struct SECBtnNotify;

// Posted to the frame to move to the next (or previous) menu.
extern const UINT WM_SEC_MENUPROD;

class SECMenuBarMessages {
public:
    SECMenuBarMessages() = default;
    virtual ~SECMenuBarMessages();
    SECMenuBarMessages(const SECMenuBarMessages&) = delete;
    SECMenuBarMessages& operator=(const SECMenuBarMessages&) = delete;

    // Posts WM_SEC_MENUPROD to the frame; a menu selection before it arrives drops it.
    virtual void PostMenuProd(BOOL bNext);
    // Leaves keyboard mode and closes an open popup.
    virtual void CancelMenuMode();
    // The bar shows the menu; the frame lays out (at its next idle time for a frame that delays it).
    virtual void SwitchMenu(UINT nMenuID);
    virtual void OpenHotMenu();
    // Highlights the menu button under a screen point.
    virtual void HitTestBar(CPoint point);
    virtual void SetAltPressed() { m_bAltPressed = TRUE; }
    // A click on the frame's icon while its window menu is open from the bar: closes it (a double
    // click runs the menu's default command); FALSE outside the icon.
    virtual BOOL OnSysMenuClick(const MSG& msg);
    // The window object of the frame.
    virtual CWnd* GetHostWnd() = 0;
    virtual void TrackMenuPopup(SECMenuBar* pBar, HMENU hPopup, const SECBtnNotify& notify);
    virtual void TrackSystemMenu(SECMenuBar* pBar, HMENU hPopup, const SECBtnNotify& notify);
    virtual void SetMsgFilterHook(BOOL bSet);
    virtual void SetKeyboardMouseHooks(BOOL bSet);
    // TRUE when the message is the bar's (the frame then neither translates nor dispatches it).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT OnMenuSelect();
    virtual LRESULT OnMenuProd();
    // The bar's notifications: keyboard mode, and the drop-down and close requests, which run the
    // popups one after another until none is pending. TRUE when handled.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT OnInitMenuPopup();
    // SC_MOUSEMENU on the icon drops the window menu through the bar (TRUE: the frame does nothing).
    virtual BOOL OnSysCommand(UINT nID, LPARAM lParam);
    virtual LRESULT OnNcActivate(BOOL bActive);

    void SetMenuBar(SECMenuBar* pMenuBar) { m_pMenuBar = pMenuBar; }
    SECMenuBar* GetMenuBar() const { return m_pMenuBar; }

    // The window's window menu with a default item (Close when it names none); null for no window.
    static HMENU GetSystemMenuWithDefault(HWND hWnd);
    // While the frame's window menu is tracked from the bar.
    static BOOL IsTrackingSystemMenu();

protected:
    static LRESULT CALLBACK KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MsgFilterHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void RemoveMsgFilterHook();
    // The bar object while its window lives; null once either went.
    SECMenuBar* LiveBar(HWND hWndBar) const;
    // The popup a drop-down request names; null for none.
    HMENU FindPopup(const SECBtnNotify& notify, BOOL& bSystem);
    // The frame's icon area, screen coordinates.
    static CRect IconArea(HWND hWndFrame, BOOL bShrinkForThickFrame);

    SECMenuBar* m_pMenuBar { nullptr };
    BOOL m_bOpenFirstItem { FALSE };
    BOOL m_bMenuSelected { FALSE };
    BOOL m_bProdNext { FALSE };
    BOOL m_bAltPressed { FALSE };

    // Learns whether the object was destroyed while it watched (a popup's loop, a command run inside
    // it), so that the code after the loop touches nothing of a destroyed object. Watches nest.
    class DestructionWatch {
    public:
        explicit DestructionWatch(SECMenuBarMessages& owner)
            : m_owner(owner)
            , m_pOuter(owner.m_pDestroyed)
        {
            owner.m_pDestroyed = &m_bDestroyed;
        }
        ~DestructionWatch()
        {
            if (!m_bDestroyed)
                m_owner.m_pDestroyed = m_pOuter;
            else if (m_pOuter)
                *m_pOuter = true;
        }
        DestructionWatch(const DestructionWatch&) = delete;
        DestructionWatch& operator=(const DestructionWatch&) = delete;
        bool Destroyed() const { return m_bDestroyed; }

    private:
        SECMenuBarMessages& m_owner;
        bool* m_pOuter;
        bool m_bDestroyed { false };
    };

private:
    // The innermost watch's flag, set by the destructor.
    bool* m_pDestroyed { nullptr };
};
