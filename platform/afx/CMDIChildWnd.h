#pragma once
// A document window inside a CMDIFrameWnd's client. While it is active the main frame shows its menu
// (m_hMenuShared, from the document template's resources) and routes commands to it.

#include "platform/afx/CFrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd() = default;
    // Frees the menu it loaded itself.
    ~CMDIChildWnd() override;

    // Makes the child in pParentWnd's client (null: the main window) and activates it.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
        CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // The title, icon and menu of resource nIDResource; the menu is the one the main frame shows while
    // this child is active. A child made from a CMultiDocTemplate takes its template's menu and
    // accelerators instead.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL DestroyWindow() override;

    CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }
    void MDIActivate();
    void MDIDestroy();
    void MDIMaximize();
    void MDIRestore();

    // Shows this child's menu on the main frame when it becomes active: hMenuAlt, else the active
    // document's default menu, else the shared one.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    using CFrameWnd::OnUpdateFrameMenu;

    HMENU m_hMenuShared { nullptr };

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    DECLARE_MESSAGE_MAP()

private:
    CMDIFrameWnd* m_pMDIFrame { nullptr };
    HMENU m_hMenuOwned { nullptr };
};
