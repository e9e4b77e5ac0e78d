#pragma once
// Gives a frame window layout-node docking: around the frame's client window it builds a border client
// whose four sides hold dock targets inside sizable borders and edges; windows wrapped in dockable
// nodes are docked, floated, shown and hidden through it. It takes part in the frame's bar layout
// through an invisible virtual dock bar. Features without a docking manager of their own share one
// default manager, which the last of them deletes.

#include <memory>

#include "toolkit/frames/ISECLNBorderClientEventRcvr.h"
#include "toolkit/frames/SECLayoutNode.h"

class CFrameWnd;
class SECClientWndNode;
class SECDockingListener;
class SECDockingNodeConstraints;
class SECDockPlacement;
class SECLNBorderClient;
class SECLNBorderClientEdge;
class SECLNDockingMgr;
class SECLNSizableDockBorder;
class SECVirtualDockbar;
struct AFX_SIZEPARENTPARAMS;

// Border position of a side flag (0x1000 left, 0x2000 top, 0x4000 right, 0x8000 bottom).
int SideToBorderPosition(DWORD dwSides);
// 2 and 3 stay, 0 stays, anything else is the bottom (1).
int NormalizeBorderPosition(int nPos);

class SECFrameDockingFeatureBase : public ISECLNBorderClientEventRcvr {
public:
    static constexpr DWORD SideLeft = 0x1000;
    static constexpr DWORD SideTop = 0x2000;
    static constexpr DWORD SideRight = 0x4000;
    static constexpr DWORD SideBottom = 0x8000;
    static constexpr DWORD AllSides = 0xF000;

    SECFrameDockingFeatureBase();
    ~SECFrameDockingFeatureBase() override;
    SECFrameDockingFeatureBase(const SECFrameDockingFeatureBase&) = delete;
    SECFrameDockingFeatureBase& operator=(const SECFrameDockingFeatureBase&) = delete;

    void OnClientRectChanged(const RECT& rcCentre) override;
    virtual BOOL EnableDocking(CFrameWnd* pFrame, DWORD dwSides, BOOL bPrivateMgr, SECLNDockingMgr* pMgr);
    virtual BOOL DockNodeAtSide(SECLayoutNode* pNode, int nPos);
    virtual BOOL DockNodeDefault(SECLayoutNode* pNode) { return DockNodeAtSide(pNode, 0); }
    virtual BOOL FloatNode(SECLayoutNode* pNode, const RECT* pPlacement);
    virtual BOOL ShowDockedNode(SECLayoutNode* pNode, BOOL bShow);
    virtual BOOL ToggleDockedNode(SECLayoutNode* pNode);
    virtual BOOL IsDockedNodeVisible(SECLayoutNode* pNode, BOOL bWithContainer);
    virtual void SetCornerMode(int nMode, BOOL bRelayout);
    virtual BOOL EnableNodeDocking(SECLayoutNode* pNode, BOOL bFirst, BOOL bSecond, const RECT* pPreset);
    virtual BOOL OnSizeParent(AFX_SIZEPARENTPARAMS* pParams);
    virtual BOOL OnDelayedRecalc() { return TRUE; }
    virtual BOOL InitBorderClient(CFrameWnd* pFrame, DWORD dwSides);
    virtual BOOL InitDockingListener(CFrameWnd* pFrame, SECLayoutNode* pRoot, SECLNDockingMgr* pMgr);
    virtual SECLayoutNode* CreateDockTarget(SECLayoutNode* pParent, int nSide, CFrameWnd* pFrame) = 0;
    virtual SECVirtualDockbar* CreateVirtualDockbar();
    virtual SECLNBorderClientEdge* CreateBorderEdge();
    virtual SECLNSizableDockBorder* CreateSizableBorder();
    virtual SECLNBorderClient* CreateBorderClient();
    virtual SECClientWndNode* CreateClientNode();
    virtual SECDockingListener* CreateDockingListener();
    virtual SECLNDockingMgr* CreateDockingMgr(BOOL bShared);
    virtual BOOL InitClientNode(CFrameWnd* pFrame);
    virtual BOOL InitBorderEdges(CFrameWnd* pFrame, DWORD dwSides);
    virtual BOOL InitSizableBorders(CFrameWnd* pFrame);
    virtual BOOL InitDockTargets(CFrameWnd* pFrame);
    virtual SECLNSizableDockBorder* GetSizableBorder(int nSide);
    virtual SECLayoutNode* GetDockTarget(int nSide);
    virtual SECLNDockingMgr* GetDockingMgr(BOOL bPrivateMgr, SECLNDockingMgr* pMgr);
    virtual int GetSideSizingEdge(int nSide, BOOL& bHorizontal);
    virtual BOOL UpdateSizableBorderLimits();
    virtual SECDockingNodeConstraints* EnsureNodeConstraints(SECLayoutNode* pNode, SECLNDockingMgr* pMgr);

    SECLNDockingMgr* GetDockingMgr() const { return m_pDockingMgr; }
    SECLNBorderClient* GetBorderClient() const { return m_pBorderClient; }
    SECLayoutNode* GetRootNode() const { return m_pRoot; }
    SECClientWndNode* GetClientNode() const { return m_pClientNode; }
    SECVirtualDockbar* GetVirtualDockbar() const { return m_pVirtualDockbar.get(); }
    SECLNBorderClientEdge* GetEdge(int nSide) const { return nSide >= 0 && nSide < 4 ? m_pEdges[nSide] : nullptr; }
    static int GetFeatureCount() { return s_nFeatures; }

protected:
    std::unique_ptr<SECVirtualDockbar> m_pVirtualDockbar;
    std::unique_ptr<SECDockingListener> m_pListener;
    std::unique_ptr<SECLNDockingMgr> m_pPrivateMgr;
    SECLNDockingMgr* m_pDockingMgr { nullptr };
    SECLayoutNodePool m_nodePool;
    SECLNBorderClient* m_pBorderClient { nullptr };
    // Top, bottom, left, right.
    SECLNBorderClientEdge* m_pEdges[4] {};
    SECLNSizableDockBorder* m_pSizable[4] {};
    SECLayoutNode* m_pTargets[4] {};
    SECClientWndNode* m_pClientNode { nullptr };
    SECLayoutNode* m_pRoot { nullptr };

private:
    // Takes a node into the feature's pool and makes the pool the node's.
    void Adopt(SECLayoutNode* pNode);

    inline static int s_nFeatures = 0;
};
