#pragma once
// The container of a floating layout tree: it makes the mini frame that shows the tree, converts between
// the tree's coordinates (the frame's whole window) and the frame's client area, and shows the frame. A
// frame whose container goes is hidden at once and destroyed when the next floating frame is made,
// unless it shows the node being dragged.

#include "toolkit/frames/SECLNHwndContainer.h"

class SECLayoutMiniFloatWnd;
class SECLayoutNode;
class SECLNDockingMgr;

class SECLNFloatingHwndContainer : public SECLNHwndContainer {
public:
    SECLNFloatingHwndContainer()
        : SECLNHwndContainer(static_cast<HWND>(nullptr))
    {
    }
    ~SECLNFloatingHwndContainer() override;

    BOOL NodeToClientRect(RECT& rect) override;
    BOOL NodeToClientPoint(POINT& point) override;
    BOOL ClientToNodeRect(RECT& rect) override;
    BOOL ClientToNodePoint(POINT& point) override;
    // The distances between the frame's window and client rectangles, measured at a fixed size.
    BOOL GetContainerBorders(int& left, int& top, int& right, int& bottom) override;
    BOOL IsContainerVisible() override;

    virtual BOOL ShowAt(const RECT& rect);
    virtual BOOL CreateFrame(SECLayoutNode* pRoot, CWnd* pParent, LPCTSTR lpszTitle, BOOL bHideOnClose,
        BOOL bAllowClose);
    virtual SECLayoutMiniFloatWnd* MakeFrame();

    void SetShowArgument(SECLNDockingMgr* pMgr) { m_pShowArgument = pMgr; }
    // Null once the frame's window is gone.
    SECLayoutMiniFloatWnd* GetFrame() const { return LiveFrame(); }
    static int GetPendingFrameCount();
    // A frame that goes takes itself off the waiting list.
    static void ForgetPendingFrame(SECLayoutMiniFloatWnd* pFrame);

private:
    SECLayoutMiniFloatWnd* LiveFrame() const;

    SECLayoutMiniFloatWnd* m_pFrame { nullptr };
    POINT m_ptClientOffset {};
    SECLNDockingMgr* m_pShowArgument { nullptr };
};
