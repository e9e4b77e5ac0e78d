#pragma once
// The main frame of a program with several document windows: its client area is an MDI client
// window holding CMDIChildWnd frames. Commands go to the active child first; the Window menu lists
// the children.

#include "platform/afx/CFrameWnd.h"
#include "platform/user/WinMdi.h"

class CMDIChildWnd;
class CMenu;

// The command id of the first child in the Window menu.
constexpr UINT AFX_IDM_FIRST_MDICHILD = 0xFF00;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    // Makes the MDI client, listing the children in pWindowMenu (may be null); FALSE when it cannot.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of a menu bar that holds the window commands (ID_WINDOW_*), else null.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active child (and whether it is maximised); null when there is none.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDINext();
    void MDIPrev();
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDICascade();
    void MDITile(int nType = static_cast<int>(MDITILE_VERTICAL));
    // Puts the menu bar and the menu that lists the children in place; the menu bar before.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    HWND m_hWndMDIClient { nullptr };

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnWindowCommand(UINT nID);
    DECLARE_MESSAGE_MAP()
};
