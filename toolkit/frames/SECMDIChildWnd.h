#pragma once
// The toolkit's MDI child: with the MDI frame's menu bar it switches the menu bar instead of the
// frame's menu, it gives the activation back from a docked view, and its caption, sizing border and
// non-client mouse messages go through message filters that add caption controls and the extended
// system commands.

#include <memory>

#include "platform/afx/CMDIChildWnd.h"
#include "toolkit/frames/ISECMsgFilterHost.h"
#include "toolkit/frames/SECMsgFilter.h"

class SECMDIFrameWnd;

class SECMDIChildWnd : public CMDIChildWnd, public ISECMsgFilterHost {
    DECLARE_DYNCREATE(SECMDIChildWnd)
public:
    SECMDIChildWnd();
    ~SECMDIChildWnd() override;

    virtual void RefreshFrameMenu(CWnd* pActivateWnd);
    // Bit 0 switches the filters on; bits 1, 2 and 3 then keep the caption controls, the right double
    // click and the context menu off.
    virtual void SetCaptionControls(DWORD dwFlags);

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) override;
    using CMDIChildWnd::OnUpdateFrameMenu;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    SECMsgFilter* GetRootMsgFilter() override { return m_pMsgFilter.get(); }

    // The menu the MDI frame's menu bar shows while this child is active (0: none).
    UINT m_nIDMenuBarMenu { 0 };
    BOOL m_bUsesMenuBar { FALSE };

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The main window when it is a toolkit MDI frame with a menu bar, else null.
    static SECMDIFrameWnd* MenuBarFrame();
    static SECMDIFrameWnd* ToolkitMDIFrame();
    // Takes the activation from a docked view and gives it to this child.
    void TakeActivation(BOOL bFromMouse);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg void OnChildActivate();
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    HMENU m_hMenuAltLast { nullptr };
    std::unique_ptr<SECMsgFilter> m_pMsgFilter;
    SECMsgFilter::DescriptorTable m_descriptors;
};
