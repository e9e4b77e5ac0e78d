#pragma once
// The small tool window with a caption that shows a floating layout tree. Closing it hides it by default
// (the tree stays); a drag from it is run by its own docking listener, made when it is first shown.

#include <memory>

#include "platform/afx/CMiniFrameWnd.h"

class SECDockingListener;
class SECLayoutNode;
class SECLNDockingMgr;

class SECLayoutMiniFloatWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(SECLayoutMiniFloatWnd)
public:
    static constexpr DWORD FloatStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_THICKFRAME | MFS_SYNCACTIVE;

    SECLayoutMiniFloatWnd();
    ~SECLayoutMiniFloatWnd() override;

    virtual BOOL Create(CWnd* pParent, SECLayoutNode* pRoot, LPCTSTR lpszTitle, BOOL bHideOnClose, BOOL bAllowClose);
    virtual BOOL ShowAt(const RECT& rect, SECLNDockingMgr* pMgr);
    virtual BOOL DetachListener();
    virtual SECDockingListener* CreateListener();

    SECLayoutNode* GetRoot() const { return m_pRoot; }
    SECDockingListener* GetListener() const { return m_pListener.get(); }
    BOOL GetHideOnClose() const { return m_bHideOnClose; }

protected:
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    SECLayoutNode* m_pRoot { nullptr };
    std::unique_ptr<SECDockingListener> m_pListener;
    BOOL m_bHideOnClose { TRUE };
    BOOL m_bTreeDetached { FALSE };
};
