#pragma once
// A border node around one content node with a splitter bar on any of its four sides. Dragging a bar
// grows or shrinks the node on that side; the nearest negotiating ancestors then share the space again.

#include "toolkit/frames/ISECVirtualSplitterObserver.h"
#include "toolkit/frames/SECLNBorder_T.h"
#include "toolkit/frames/SECParentOfNegotiableChildNode.h"

class CWnd;
class SECLNVirtualSplitter;

class SECLNSizable : public SECLNBorder_T<SECLayoutNode>,
                     public SECParentOfNegotiableChildNode,
                     public ISECVirtualSplitterObserver {
public:
    // Side mask bits.
    static constexpr int SideTop = 0x1;
    static constexpr int SideBottom = 0x2;
    static constexpr int SideLeft = 0x4;
    static constexpr int SideRight = 0x8;

    SECLNSizable() = default;
    ~SECLNSizable() override;
    SECLNSizable(const SECLNSizable&) = delete;
    SECLNSizable& operator=(const SECLNSizable&) = delete;

    // A second content node is refused with -1; the bars are children too but never content.
    int AddLayoutNode(SECLayoutNode* pChild) override;
    int RemoveLayoutNode(SECLayoutNode* pChild) override;
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce) override;
    SECLayoutNode* GetBorderedNode() override { return m_pContent; }
    int HasBorderedNode() override { return GetContentCount(); }
    void GrowForBorderedNode(RECT& rect) override;
    // The limits follow the content as it is now (shown again, say), not as it was at the last layout.
    void GetMinMaxSize(SIZE& sizeMin, SIZE& sizeMax, int& nFlags) override;

    virtual SECLayoutNode* GetContentNode() { return m_pContent; }
    virtual int GetContentCount();
    virtual BOOL SetSides(CWnd* pBarParent, BOOL bLive, int nSideMask);
    virtual void EnableSides(BOOL bEnable, BOOL bLive, BOOL bRecalc);
    virtual void SetTrackingLimits(const RECT* pLimits, BOOL bRecalc);
    virtual SECLNVirtualSplitter* CreateSplitterObject();
    virtual SECLNVirtualSplitter* CreateSideBar(CWnd* pParent, SECLNVirtualSplitter* pBar, BOOL bLive,
        int nOrientation);
    virtual SECLNVirtualSplitter* DestroySideBar(SECLNVirtualSplitter* pBar);
    virtual void PositionBars(const RECT& rect);

    void OnSplitterMoved(SECLNVirtualSplitter* pSplitter, int dx, int dy) override;

    SECLNVirtualSplitter* GetSideBar(int nSide) const;
    int GetRequestedSides() const { return m_nRequestedSides; }

protected:
    void Renegotiate();
    // The content sits inside the bars.
    void UpdateBorderWidths();

    SECLNVirtualSplitter* m_pTop { nullptr };
    SECLNVirtualSplitter* m_pBottom { nullptr };
    SECLNVirtualSplitter* m_pLeft { nullptr };
    SECLNVirtualSplitter* m_pRight { nullptr };
    SECLayoutNode* m_pContent { nullptr };
    int m_nRequestedSides { 0 };
    int m_nRememberedSides { 0 };
    CWnd* m_pBarParent { nullptr };
    RECT m_rcTrackingLimits {};
    BOOL m_bSkipBorderOnce { FALSE };
};
