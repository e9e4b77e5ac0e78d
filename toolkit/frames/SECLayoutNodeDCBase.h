#pragma once
// A node that paints into its draw window. Realizing a layout repaints it at once; the draw offset moves
// its painting when the tree's coordinates are not the window's client coordinates.

#include "toolkit/frames/SECLayoutNode.h"

class SECLayoutNodeDCBase : public SECLayoutNode {
public:
    // Only a node that has somewhere to paint joins a tree.
    BOOL IsAttachable() override { return m_hWndDraw != nullptr; }
    BOOL RealizeNode(HDWP* pBatch, UINT nValue) override;
    void PaintNode(BOOL bRecurse, HDC hDC) override;
    void InvalidateNodeRect(const RECT& rect, BOOL bErase) override;

    virtual void SetDrawWindow(HWND hWnd) { m_hWndDraw = hWnd; }
    virtual void DrawNode(HDC /*hDC*/, const RECT& /*rcNode*/) { }

    HWND GetDrawWindow() const { return m_hWndDraw; }

private:
    HWND m_hWndDraw { nullptr };
};
