#pragma once
// The toolkit's single-document frame: docking of the toolkit's bars into its dock bars with sized
// docking and placeholder re-docking, floating bars kept inside the work area, a control-bar manager
// slot, a menu plug-in that sees the frame's messages first, a workspace-manager plug-in that sees its
// commands first, an optional gradient caption painted off-screen, and a context-help loop that lets
// the menu bar open its menus.

#include <memory>

#include "platform/afx/CFont.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMenu.h"
#include "toolkit/frames/ISECDockSite.h"
#include "toolkit/frames/SECFrameCaption.h"
#include "toolkit/frames/SECFrameHelp.h"

class CDC;
class SECControlBarManager;
class SECDockState;
class SECDockBar;
class SECMenuBar;

namespace quorvale::foundation {
class SECWndPlugIn;
}

// The workspace commands, carried out by the workspace-manager plug-in.
constexpr UINT ID_WORKSPACE_NEW = 43007;
constexpr UINT ID_WORKSPACE_OPEN = 43008;
constexpr UINT ID_WORKSPACE_SAVE = 43009;
constexpr UINT ID_WORKSPACE_CLOSE = 43012;
constexpr UINT ID_WORKSPACE_SAVESEL = 43013;
constexpr UINT ID_WORKSPACE_DELETE = 43014;
constexpr UINT ID_WORKSPACE_MRU_FIRST = 43031;
constexpr UINT ID_WORKSPACE_MANAGER = 43039;

// Registered "WM_SECGETMENU": wParam a menu resource id, lParam a position; the sub-menu there.
extern const UINT WM_SECGETMENU;

class SECFrameWnd : public CFrameWnd, public ISECDockSite {
    DECLARE_DYNCREATE(SECFrameWnd)
public:
    using SECWndPlugIn = quorvale::foundation::SECWndPlugIn;

    SECFrameWnd();
    ~SECFrameWnd() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // The class library's layout; then the dock bars repaint their pending bars.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;

    // The bars' layout in the application's profile, under sections named after lpszProfileName. Loading
    // creates the bars the profile names by class that the frame lacks (the frame deletes them).
    virtual void LoadBarState(LPCTSTR lpszProfileName);
    // Writes nothing when the bars cannot be collected.
    virtual void SaveBarState(LPCTSTR lpszProfileName);
    virtual void SetDockState(SECDockState& state);
    virtual void GetDockState(SECDockState& state);
    // A new toolkit dock bar, not yet created as a window.
    virtual SECDockBar* CreateDockBar();
    // Floats the bar at the screen point, at least 10 pixels of it inside the work area.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override;
    // Docks the bar at a row and column of a dock bar (0: the bar's own side) with its share of the row
    // and its length (for CalcDynamicLayout).
    void DockSizedControlBar(
        CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth, int nSize) override;
    virtual SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
    virtual void SetControlBarManager(SECControlBarManager* pManager) { m_pControlBarManager = pManager; }
    // The caption fonts of the non-client metrics, plain and italic.
    virtual BOOL CreateCaptionFontItalic(CFont& font);
    virtual BOOL CreateCaptionFont(CFont& font);
    // Paints the gradient caption.
    virtual void DrawCaption();
    // The stored menu when its id is nID.
    virtual HMENU GetResourceMenu(UINT nID) const;
    // A frame living in a docked bar sets its menu here; nothing in this class.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    using CFrameWnd::OnUpdateFrameMenu;
    virtual void OnEnterIdle(UINT nWhy, CWnd* pWho);
    virtual HMENU GetDefaultMenu();
    // Creates the workspace manager of the class, initialised under HKEY_CURRENT_USER with the key, and
    // attaches it; null when it cannot be made or attached.
    virtual SECWndPlugIn* InstallWorkspaceManager(LPCTSTR lpszKey, int nStorageMode, CRuntimeClass* pClass, BOOL bFlag);

    // Creates the toolkit dock bars of the sides named.
    void EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExStyle = 0);
    // Docks the bar (the dock bar of its side when none is given) at the rectangle (screen).
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) override;
    // Docks the bar back where its placeholder stands, or on its side.
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) override;

    // Set before the window is created: bitmap menus (the second flag is kept only).
    void EnableBmpMenus(BOOL bEnable = TRUE, BOOL bSecond = TRUE);
    BOOL HasMenuBar() const { return m_pMenuBar != nullptr; }
    SECMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // The menu bar's current menu when there is a menu bar, else the window's menu; null for neither.
    CMenu* GetCurrentMenu();
    SECWndPlugIn* GetWorkspaceManager() const { return m_pWorkspaceMgr.get(); }
    SECWndPlugIn* GetMenuPlugIn() const { return m_pMenuPlugIn.get(); }
    const CRect& GetLastPaneRect() const { return m_rectLastPane; }

    // The gradient caption; the previous setting (0 where gradients are not supported).
    BOOL SetGradientCaption(BOOL bEnable = TRUE, BOOL bRepaint = TRUE) { return m_caption.SetGradientCaption(bEnable, bRepaint); }
    BOOL IsGradientCaptionActive() const { return m_caption.IsGradientCaptionActive(); }
    // The caption in window coordinates, without the system buttons; whether Close is enabled.
    BOOL GetCaptionRect(CRect& rect) { return m_caption.GetCaptionRect(rect); }
    // Bands from one colour to the other across the rectangle, at most nSteps of them.
    static void FillGradient(CDC* pDC, const CRect& rect, int nSteps, COLORREF clrFrom, COLORREF clrTo)
    {
        SECFrameCaption::FillGradient(pDC, rect, nSteps, clrFrom, clrTo);
    }
    // The help loop's message filter: FALSE leaves help mode.
    BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext);

    // Set by a derived frame before its window is created.
    SECMenuBar* m_pMenuBar { nullptr };
    // Bars that restoring a dock state created from class names; the frame deletes them.
    CPtrList m_listCreatedBars { 10 };
    // The gradient caption's settings (its alignment among them) and painting.
    SECFrameCaption m_caption { *this, [this] { DrawCaption(); } };

    // The states of help mode (the class library's flag).
    static constexpr BOOL kHelpInactive = SECFrameHelp::kHelpInactive;
    static constexpr BOOL kHelpActive = SECFrameHelp::kHelpActive;
    static constexpr BOOL kHelpEntering = SECFrameHelp::kHelpEntering;

protected:
    // While the toolbar manager customises its bars.
    BOOL InConfigMode() const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSecGetMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    afx_msg void OnWorkspaceCommand() { }
    afx_msg void OnUpdateWorkspaceCommand(CCmdUI*) { }
    afx_msg BOOL OnWorkspaceRange(UINT) { return TRUE; }

    std::unique_ptr<SECWndPlugIn> m_pWorkspaceMgr;
    CRect m_rectLastPane;
    SECControlBarManager* m_pControlBarManager { nullptr };
    std::unique_ptr<SECWndPlugIn> m_pMenuPlugIn;
    BOOL m_bBmpMenus { FALSE };
    BOOL m_bBmpMenusSecond { FALSE };
    HMENU m_hMenuStored { nullptr };
    UINT m_nIDMenuStored { 0 };

    DECLARE_MESSAGE_MAP()
};
