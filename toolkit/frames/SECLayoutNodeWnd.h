#pragma once
// The leaf of a layout tree that stands for one real child window: realizing the node moves the window
// to the node's rectangle (in the batch of its tree when one is open), hiding the node hides the window,
// and moving the node into another container moves the window under that container's window.
// The node never owns its window.

#include "toolkit/frames/SECDefHideableNode.h"
#include "toolkit/frames/SECDefReparentableNode.h"
#include "toolkit/frames/SECLayoutNode.h"

class CWnd;

class SECLayoutNodeWnd : public SECLayoutNode, public SECDefReparentableNode, public SECDefHideableNode {
public:
    SECLayoutNodeWnd() = default;

    // The window's screen rectangle, in the parent's client coordinates, becomes the initial rectangle.
    BOOL AttachWindow(HWND hWnd, CWnd* pParent);
    BOOL AttachWindow(CWnd* pWnd, CWnd* pParent);

    // One window position per attached window; a node without one adds nothing to a batch.
    int GetDeferWindowCount() override { return m_hWnd ? 1 : 0; }
    // Only a node with a window joins a tree.
    BOOL IsAttachable() override { return m_hWnd != nullptr; }
    BOOL RealizeNode(HDWP* pBatch, UINT nValue) override;
    // With bThroughParent, the parent window repaints the rectangle; otherwise the window repaints itself.
    void InvalidateNodeRect(const RECT& rect, BOOL bThroughParent) override;
    // Moves the window under hParent.
    void SetContainerWindow(HWND hParent) override;
    BOOL SetNodeVisible(BOOL bVisible) override;

    virtual HWND GetWindowHandle() { return m_hWnd; }

    HWND GetParentWindow() const { return m_hWndParent; }

private:
    HWND m_hWnd { nullptr };
    HWND m_hWndParent { nullptr };
    BOOL m_bActiveX { FALSE };
};
