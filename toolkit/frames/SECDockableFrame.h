#pragma once
// The frame of a document view that lives in a control bar, docked in the MDI frame or floating,
// while it behaves towards the MDI frame like an MDI child: it takes the activation, shows its
// document's menu, titles itself and translates its accelerators. Its caption carries the
// docking-state button and the context menu of the extended system commands.

#include <memory>

#include "toolkit/frames/ISECMsgFilterHost.h"
#include "toolkit/frames/SECFrameWnd.h"
#include "toolkit/frames/SECMsgFilter.h"

class SECMDIFrameWnd;

class SECDockableFrame : public SECFrameWnd, public ISECMsgFilterHost {
    DECLARE_DYNCREATE(SECDockableFrame)
public:
    SECDockableFrame();
    ~SECDockableFrame() override;

    // Destroys the hosting bar, which takes the frame with it.
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | FWS_ADDTOTITLE,
        CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // The menu of an MDI child: the document's, else the template's shared one.
    void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) override;
    using SECFrameWnd::OnUpdateFrameMenu;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    SECMsgFilter* GetRootMsgFilter() override { return m_pMsgFilter.get(); }

    // Whether the hosting bar floats.
    virtual BOOL IsFloating();
    // Bit 0 switches the extended system commands on; bits 1, 2 and 3 then keep the docking-state
    // button, the right double click and the context menu off.
    virtual void EnableSysCommandEx(DWORD dwFlags);

    // The parent frame when it is a toolkit MDI frame, else the main window when it is one.
    SECMDIFrameWnd* GetMDIFrame();
    // The control bar the frame lives in, or null.
    CControlBar* GetHostingBar();

    HMENU m_hMenuShared { nullptr };

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Makes this the MDI frame's active frame.
    void Activate();
    BOOL FilterCurrentMessage(LRESULT* pResult);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    std::unique_ptr<SECMsgFilter> m_pMsgFilter;
    SECMsgFilter::DescriptorTable m_descriptors;
};

// Makes another visible dockable frame the MDI frame's active frame, unless a visible one other than
// pExcluded is active already; whether one was made active.
BOOL ActivateOtherDockableFrame(CFrameWnd* pExcluded);
// Whether the main MDI frame shows an MDI child other than pExcluded.
BOOL IsOtherMDIChildVisible(CWnd* pExcluded);
// Whether the window and the parents above it show (a control bar by its own visibility).
BOOL IsWindowChainVisible(CWnd* pWnd);
