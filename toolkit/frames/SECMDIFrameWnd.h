#pragma once
// The toolkit's multiple-document frame: the toolkit's docking on an MDI frame, bars floating as MDI
// children inside the MDI client, frames living in docked bars (docked views) that take the place of
// the active MDI child for commands, menus and title, a menu-bar-aware Window menu, and the extended
// system commands and caption controls through message filters.

#include <map>
#include <memory>
#include <vector>

#include "platform/afx/CMDIFrameWnd.h"
#include "platform/afx/CPtrList.h"
#include "toolkit/frames/ISECDockSite.h"
#include "toolkit/frames/ISECMsgFilterHost.h"
#include "toolkit/frames/SECFrameCaption.h"
#include "toolkit/frames/SECDockPlacement.h"
#include "toolkit/frames/SECMsgFilter.h"

class CMiniDockFrameWnd;
class SECControlBarManager;
class SECDockBar;
class SECDockState;
class SECFrameWnd;
class SECMenuBar;

namespace quorvale::foundation {
class SECWndPlugIn;
}

// The MDI child that a bar floating as MDI child lives in is loaded with these resources.
constexpr UINT IDR_SEC_MDIFLOAT = 20514;

// The filters of the MDI frame (below its root): the maximised child's button and double click.
constexpr int SEC_FILTER_MDIMAX_SCXBUTTON = 260;
constexpr int SEC_FILTER_MDIMAX_SCXRDBLCLK = 261;

class SECMDIFrameWnd : public CMDIFrameWnd, public ISECDockSite, public ISECMsgFilterHost {
    DECLARE_DYNCREATE(SECMDIFrameWnd)
public:
    using SECWndPlugIn = quorvale::foundation::SECWndPlugIn;

    SECMDIFrameWnd();
    ~SECMDIFrameWnd() override;

    virtual SECDockBar* CreateDockBar();
    // Docks the bar at the placement of the dock bar with the id, in the layout mode of that dock bar.
    virtual void DockSizedControlBarEx(CControlBar* pBar, const SECDockPlacement& placement, UINT nDockBarID, const SECDockSize& size);
    void DockSizedControlBar(CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth, int nSize) override;
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) override;
    // Floats the bar in an MDI child at the point (screen; negative: the next free place).
    virtual void FloatControlBarInMDIChild(CControlBar* pBar, int x, int y, DWORD dwStyle = CBRS_ALIGN_TOP);
    // A new MDI child of the MDI float class; null when it cannot be loaded.
    virtual CFrameWnd* CreateMDIFloatFrame(DWORD dwStyle, CControlBar* pBar);
    virtual void ActivateDockedView(CFrameWnd* pFrame, BOOL bForce = FALSE);
    virtual void DeactivateDockedView(BOOL bActivateMDIChild);
    virtual SECControlBarManager* GetControlBarManager() const { return m_pControlBarManager; }
    virtual void SetControlBarManager(SECControlBarManager* pManager) { m_pControlBarManager = pManager; }
    // The caption fonts of the non-client metrics, plain and italic.
    virtual BOOL CreateCaptionFontItalic(CFont& font) { return SECFrameCaption::CreateCaptionFont(font, TRUE); }
    virtual BOOL CreateCaptionFont(CFont& font) { return SECFrameCaption::CreateCaptionFont(font, FALSE); }
    // Paints the gradient caption.
    virtual void DrawCaption();
    // Bit 0 switches the extended system commands of the frame on.
    virtual void SetCaptionControls(DWORD dwFlags);
    virtual HMENU GetDefaultMenu();
    // While the customise dialog idles, the layout its changes asked for.
    virtual void OnEnterIdle(UINT nWhy, CWnd* pWho);
    // Switches the menu bar to a menu id (-1 or 0: the default menu).
    virtual void SetMenuBarMenu(UINT nID);
    virtual void RefreshMDIButtons();
    virtual void RefreshWindowMenu();
    virtual SECMenuBar* GetMenuBar() const { return m_pMenuBar; }
    // The frame in the bar when it is a toolkit frame (a docked view), else null.
    virtual SECFrameWnd* GetDockedView(CControlBar* pBar);
    // Gives a docked view the look of an MDI child while its bar floats, and takes it back.
    virtual void FloatMDIChild(CFrameWnd* pFrame, BOOL bFloat);
    // Sizes the docked view to its bar's floating frame.
    virtual void FitDockedView(CFrameWnd* pFrame);
    virtual void ActivateView(UINT nState, BOOL bMinimized, CWnd* pWndOther);
    // The stored menu, a template's shared menu, or a menu loaded for the id and kept.
    virtual HMENU GetResourceMenu(UINT nID);
    // Where the next docked view goes: round the sides, in new rows first.
    virtual void GetNextDockPosition(UINT& nDockBarID, SECDockPlacement& placement, SECDockSize& size);
    // The bars' layout in the application's profile, as the single-document frame keeps it.
    virtual void LoadBarState(LPCTSTR lpszProfileName);
    virtual void SaveBarState(LPCTSTR lpszProfileName);
    virtual void SetDockState(SECDockState& state);
    virtual void GetDockState(SECDockState& state);
    // Creates the workspace manager of the class and attaches it; it sees the commands the active
    // docked view or MDI child left. Null when it cannot be made or attached.
    virtual SECWndPlugIn* InstallWorkspaceManager(LPCTSTR lpszKey, int nStorageMode, CRuntimeClass* pClass, BOOL bFlag);
    SECWndPlugIn* GetWorkspaceManager() const { return m_pWorkspaceMgr.get(); }

    // The gradient caption, as the single-document frame's; the previous setting (0 where gradients are
    // not supported).
    BOOL SetGradientCaption(BOOL bEnable = TRUE, BOOL bRepaint = TRUE) { return m_caption.SetGradientCaption(bEnable, bRepaint); }
    BOOL IsGradientCaptionActive() const { return m_caption.IsGradientCaptionActive(); }
    BOOL GetCaptionRect(CRect& rect) { return m_caption.GetCaptionRect(rect); }

    BOOL HasMenuBar() const { return m_pMenuBar != nullptr; }
    // Activates a docked view (null: none).
    void SetActiveFrame(CFrameWnd* pFrame, BOOL bForce = FALSE) { ActivateDockedView(pFrame, bForce); }
    CFrameWnd* GetActiveDockedView() const { return m_pActiveDockedView; }
    // The menu bar's Window menu lists the children, unless the window has a menu of its own.
    void UpdateMenuBarMenu();
    // The frame's current menu: the menu bar's, else the window's.
    CMenu* GetCurrentMenu();

    // Creates the toolkit dock bars of the sides named.
    void EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExStyle = 0);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) override;
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) override;
    // Floats the bar in a new floating frame at the point and always shows that frame.
    void ReFloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);

    CFrameWnd* GetActiveFrame() override;
    // The class library's; leaving preview, the whole frame is redrawn.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    SECMsgFilter* GetRootMsgFilter() override { return m_pMsgFilter.get(); }
    // The help loop's message filter, as the single-document frame's: FALSE leaves help mode.
    BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext);

    // Set by a derived frame before its window is created; not owned.
    SECMenuBar* m_pMenuBar { nullptr };
    // The classes of the dock bars and of the MDI children bars float in (null: the toolkit's).
    CRuntimeClass* m_pDockBarClass { nullptr };
    CRuntimeClass* m_pMDIFloatClass { nullptr };
    // Bars that restoring a dock state created from class names; the frame deletes them.
    CPtrList m_listCreatedBars { 10 };
    // While set, the menu bar asks for a layout at idle time instead of laying the frame out.
    BOOL m_bDelayedLayout { FALSE };
    // The gradient caption's settings (its alignment among them) and painting; its repaint is sent, so
    // that the caption is right before the children's captions follow.
    SECFrameCaption m_caption { *this, [this] { DrawCaption(); }, TRUE };

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBarContextMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSecGetMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    afx_msg LRESULT OnFilteredMessage(WPARAM wParam, LPARAM lParam);
    afx_msg void OnWorkspaceCommand() { }
    afx_msg BOOL OnWorkspaceRange(UINT) { return TRUE; }
    afx_msg void OnUpdateWorkspaceCommand(CCmdUI*) { }
    DECLARE_MESSAGE_MAP()

    // A docked view, else the active MDI child: the frame that sees commands first.
    CFrameWnd* GetCommandFrame();
    // The message being handled offered to the filters; whether they took it.
    BOOL FilterCurrentMessage(LRESULT* pResult);

    CPoint m_ptNextMDIFloat { 30, 30 };
    CFrameWnd* m_pActiveDockedView { nullptr };
    SECControlBarManager* m_pControlBarManager { nullptr };
    BOOL m_bActivationGuard { FALSE };
    std::unique_ptr<SECMsgFilter> m_pMsgFilter;
    SECMsgFilter::DescriptorTable m_descriptors;
    std::unique_ptr<SECWndPlugIn> m_pMenuPlugIn;
    std::unique_ptr<SECWndPlugIn> m_pWorkspaceMgr;
    HMENU m_hMenuStored { nullptr };
    std::map<UINT, HMENU> m_menuMap;
    UINT m_nIDDefaultMenu { 0 };
    UINT m_nIDMenuStored { 0 };
    std::vector<UINT> m_dockRing;
    int m_nRingIndex { 0 };
};
