#include "toolkit/frames/SECFrameDockingFeatureBase.h"

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/frames/ISECBorderTargetParent.h"
#include "toolkit/frames/ISECDockInitiator.h"
#include "toolkit/frames/ISECHideableNode.h"
#include "toolkit/frames/SECClientWndNode.h"
#include "toolkit/frames/SECDockingListener.h"
#include "toolkit/frames/SECLNBorderClient.h"
#include "toolkit/frames/SECLNBorderClientEdge.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNSizableDockBorder.h"
#include "toolkit/frames/SECVirtualDockbar.h"

namespace {
// The docking manager the features without one of their own share; the last feature deletes it.
std::unique_ptr<SECLNDockingMgr>& SharedMgr()
{
    static std::unique_ptr<SECLNDockingMgr> shared;
    return shared;
}
} // namespace

int SideToBorderPosition(DWORD dwSides)
{
    if (dwSides & SECFrameDockingFeatureBase::SideLeft)
        return SECLNBorderClient::Left;
    if (dwSides & SECFrameDockingFeatureBase::SideTop)
        return SECLNBorderClient::Top;
    if (dwSides & SECFrameDockingFeatureBase::SideRight)
        return SECLNBorderClient::Right;
    if (dwSides & SECFrameDockingFeatureBase::SideBottom)
        return SECLNBorderClient::Bottom;
    return SECLNBorderClient::Top;
}

int NormalizeBorderPosition(int nPos)
{
    if (nPos == SECLNBorderClient::Left || nPos == SECLNBorderClient::Right || nPos == SECLNBorderClient::Top)
        return nPos;
    return SECLNBorderClient::Bottom;
}

SECFrameDockingFeatureBase::SECFrameDockingFeatureBase() { ++s_nFeatures; }

SECFrameDockingFeatureBase::~SECFrameDockingFeatureBase()
{
    if (m_pVirtualDockbar && m_pVirtualDockbar->m_hWnd)
        m_pVirtualDockbar->DestroyWindow();
    m_pVirtualDockbar.reset();
    m_pListener.reset();
    m_pPrivateMgr.reset();
    // The last feature takes the shared manager with it.
    if (--s_nFeatures == 0 && SharedMgr()) {
        SECLNDockingMgr::SetDefaultDockingMgr(nullptr);
        SharedMgr().reset();
    }
    m_nodePool.DeleteAllObjects();
}

void SECFrameDockingFeatureBase::Adopt(SECLayoutNode* pNode)
{
    m_nodePool.AddObject(pNode);
    pNode->SetNodePool(&m_nodePool, FALSE);
}

void SECFrameDockingFeatureBase::OnClientRectChanged(const RECT&) { UpdateSizableBorderLimits(); }

BOOL SECFrameDockingFeatureBase::EnableDocking(CFrameWnd* pFrame, DWORD dwSides, BOOL bPrivateMgr,
    SECLNDockingMgr* pMgr)
{
    if (!pFrame)
        return FALSE;
    m_pVirtualDockbar.reset(CreateVirtualDockbar());
    BOOL bOk = m_pVirtualDockbar->CreateDockBarWindow(pFrame, this, 0);
    bOk = bOk && InitBorderClient(pFrame, dwSides);
    m_pDockingMgr = GetDockingMgr(bPrivateMgr, pMgr);
    bOk = bOk && InitDockingListener(pFrame, m_pRoot, m_pDockingMgr);
    if (!bOk) {
        if (m_pVirtualDockbar->m_hWnd)
            m_pVirtualDockbar->DestroyWindow();
        m_pVirtualDockbar.reset();
        return FALSE;
    }
    RECT rc {};
    RECT out {};
    m_pRoot->GetCurrentRect(&rc);
    m_pRoot->RecalcLayout(&out, rc, TRUE, TRUE);
    return TRUE;
}

BOOL SECFrameDockingFeatureBase::InitBorderClient(CFrameWnd* pFrame, DWORD dwSides)
{
    m_pBorderClient = CreateBorderClient();
    m_pRoot = m_pBorderClient;
    Adopt(m_pBorderClient);
    m_pBorderClient->SetEventReceiver(this);
    InitClientNode(pFrame);
    InitBorderEdges(pFrame, dwSides);
    InitSizableBorders(pFrame);
    InitDockTargets(pFrame);
    return TRUE;
}

BOOL SECFrameDockingFeatureBase::InitClientNode(CFrameWnd* pFrame)
{
    if (!pFrame)
        return FALSE;
    m_pClientNode = CreateClientNode();
    m_pBorderClient->AddBorderNode(m_pClientNode, SECLNBorderClient::Centre);
    Adopt(m_pClientNode);
    return TRUE;
}

BOOL SECFrameDockingFeatureBase::InitBorderEdges(CFrameWnd* pFrame, DWORD dwSides)
{
    if (!pFrame)
        return FALSE;
    struct Side {
        DWORD dwFlag;
        int nPos;
        BOOL lines[4];
    };
    const Side sides[] = {
        { SideTop, SECLNBorderClient::Top, { FALSE, TRUE, FALSE, FALSE } },
        { SideBottom, SECLNBorderClient::Bottom, { FALSE, FALSE, FALSE, TRUE } },
        { SideLeft, SECLNBorderClient::Left, { FALSE, FALSE, FALSE, FALSE } },
        { SideRight, SECLNBorderClient::Right, { FALSE, FALSE, FALSE, FALSE } },
    };
    for (int i = 0; i < 4; ++i) {
        if (!(dwSides & sides[i].dwFlag))
            continue;
        SECLNBorderClientEdge* edge = CreateBorderEdge();
        edge->SetDrawWindow(pFrame->m_hWnd);
        edge->SetEdgeSides(sides[i].lines[0], sides[i].lines[1], sides[i].lines[2], sides[i].lines[3]);
        Adopt(edge);
        m_pBorderClient->AddBorderNode(edge, sides[i].nPos);
        m_pEdges[i] = edge;
    }
    return TRUE;
}

BOOL SECFrameDockingFeatureBase::InitSizableBorders(CFrameWnd* pFrame)
{
    if (!pFrame)
        return FALSE;
    for (int i = 0; i < 4; ++i) {
        if (!m_pEdges[i])
            continue;
        SECLNSizableDockBorder* border = CreateSizableBorder();
        BOOL bHorizontal = FALSE;
        border->SetDockSide(i);
        border->SetSides(pFrame, TRUE, GetSideSizingEdge(i, bHorizontal));
        m_pEdges[i]->AddLayoutNode(border);
        Adopt(border);
        m_pSizable[i] = border;
    }
    return TRUE;
}

BOOL SECFrameDockingFeatureBase::InitDockTargets(CFrameWnd* pFrame)
{
    for (int i = 0; i < 4; ++i) {
        if (!m_pSizable[i])
            continue;
        if (SECLayoutNode* target = CreateDockTarget(m_pSizable[i], i, pFrame)) {
            Adopt(target);
            m_pTargets[i] = target;
        }
    }
    return TRUE;
}

BOOL SECFrameDockingFeatureBase::InitDockingListener(CFrameWnd* pFrame, SECLayoutNode* pRoot, SECLNDockingMgr* pMgr)
{
    if (!pFrame || !pRoot)
        return FALSE;
    m_pListener.reset(CreateDockingListener());
    if (!m_pListener->AttachDocking(pRoot, pFrame, pMgr, TRUE, TRUE, FALSE)) {
        m_pListener.reset();
        return FALSE;
    }
    m_pListener->SetAutoLayout(FALSE);
    return TRUE;
}

SECVirtualDockbar* SECFrameDockingFeatureBase::CreateVirtualDockbar() { return new SECVirtualDockbar; }
SECLNBorderClientEdge* SECFrameDockingFeatureBase::CreateBorderEdge() { return new SECLNBorderClientEdge; }
SECLNSizableDockBorder* SECFrameDockingFeatureBase::CreateSizableBorder() { return new SECLNSizableDockBorder; }
SECLNBorderClient* SECFrameDockingFeatureBase::CreateBorderClient() { return new SECLNBorderClient; }
SECClientWndNode* SECFrameDockingFeatureBase::CreateClientNode() { return new SECClientWndNode; }
SECDockingListener* SECFrameDockingFeatureBase::CreateDockingListener() { return new SECDockingListener; }
SECLNDockingMgr* SECFrameDockingFeatureBase::CreateDockingMgr(BOOL) { return new SECLNDockingMgr; }

SECLNSizableDockBorder* SECFrameDockingFeatureBase::GetSizableBorder(int nSide)
{
    return nSide >= 0 && nSide < 4 ? m_pSizable[nSide] : nullptr;
}

SECLayoutNode* SECFrameDockingFeatureBase::GetDockTarget(int nSide)
{
    return nSide >= 0 && nSide < 4 ? m_pTargets[nSide] : nullptr;
}

SECLNDockingMgr* SECFrameDockingFeatureBase::GetDockingMgr(BOOL bPrivateMgr, SECLNDockingMgr* pMgr)
{
    if (pMgr)
        return pMgr;
    if (bPrivateMgr) {
        m_pPrivateMgr.reset(CreateDockingMgr(FALSE));
        return m_pPrivateMgr.get();
    }
    if (SECLNDockingMgr* shared = SECLNDockingMgr::GetDefaultDockingMgr())
        return shared;
    SharedMgr().reset(CreateDockingMgr(TRUE));
    SECLNDockingMgr::SetDefaultDockingMgr(SharedMgr().get());
    return SharedMgr().get();
}

int SECFrameDockingFeatureBase::GetSideSizingEdge(int nSide, BOOL& bHorizontal)
{
    switch (nSide) {
    case 0:
        bHorizontal = TRUE;
        return SECLNSizable::SideBottom;
    case 1:
        bHorizontal = TRUE;
        return SECLNSizable::SideTop;
    case 2:
        bHorizontal = FALSE;
        return SECLNSizable::SideRight;
    case 3:
        bHorizontal = FALSE;
        return SECLNSizable::SideLeft;
    default:
        bHorizontal = TRUE;
        return 0;
    }
}

BOOL SECFrameDockingFeatureBase::UpdateSizableBorderLimits()
{
    if (!m_pBorderClient)
        return FALSE;
    RECT whole {};
    m_pBorderClient->GetCurrentRect(&whole);
    auto current = [](SECLNSizableDockBorder* border) {
        RECT rc {};
        border->GetCurrentRect(&rc);
        return rc;
    };
    // Each border may grow up to the border on the opposite side.
    for (int i = 0; i < 4; ++i) {
        if (!m_pSizable[i])
            continue;
        RECT limit = whole;
        const int opposite = i ^ 1;
        if (m_pSizable[opposite]) {
            const RECT other = current(m_pSizable[opposite]);
            switch (i) {
            case 0:
                limit.bottom = other.top;
                break;
            case 1:
                limit.top = other.bottom;
                break;
            case 2:
                limit.right = other.left;
                break;
            default:
                limit.left = other.right;
                break;
            }
        }
        m_pSizable[i]->SetTrackingLimits(&limit, TRUE);
    }
    return TRUE;
}

SECDockingNodeConstraints* SECFrameDockingFeatureBase::EnsureNodeConstraints(SECLayoutNode* pNode,
    SECLNDockingMgr* pMgr)
{
    if (!pNode || !pMgr)
        return nullptr;
    if (SECDockingNodeConstraints* existing = pMgr->GetNodeConstraints(pNode, FALSE))
        return existing;
    auto* constraints = new SECDockingNodeConstraints;
    pMgr->SetNodeConstraints(pNode, constraints);
    return constraints;
}

BOOL SECFrameDockingFeatureBase::DockNodeAtSide(SECLayoutNode* pNode, int nPos)
{
    SECLayoutNode* target = GetDockTarget(nPos);
    if (!pNode || !target || target->AddLayoutNode(pNode) < 0)
        return FALSE;
    EnsureNodeConstraints(pNode, m_pDockingMgr);
    return TRUE;
}

BOOL SECFrameDockingFeatureBase::FloatNode(SECLayoutNode* pNode, const RECT* pPlacement)
{
    auto* initiator = dynamic_cast<ISECDockInitiator*>(pNode);
    if (!initiator || !m_pDockingMgr)
        return FALSE;
    if (!m_pDockingMgr->FindContainer(pNode))
        m_pClientNode->AddLayoutNode(pNode);
    if (auto* parent = dynamic_cast<ISECBorderTargetParent*>(m_pBorderClient))
        m_pDockingMgr->GetNodeConstraints(pNode, TRUE)->m_pBorderTargetParent = parent;
    return initiator->FloatOrDock(m_pDockingMgr, pPlacement);
}

BOOL SECFrameDockingFeatureBase::ShowDockedNode(SECLayoutNode* pNode, BOOL bShow)
{
    auto* hideable = dynamic_cast<ISECHideableNode*>(pNode);
    if (!hideable)
        return FALSE;
    SECLayoutNode* root = bShow ? nullptr : pNode->GetRootNode();
    if (!hideable->ShowNode(bShow, TRUE, TRUE))
        return FALSE;
    if (bShow)
        root = pNode->GetRootNode();
    RECT out {};
    root->RecalcInPlace(&out);
    if (ISECLNContainer* container = m_pDockingMgr ? m_pDockingMgr->FindContainer(root) : nullptr)
        container->RecalcFrameLayout(TRUE);
    return TRUE;
}

BOOL SECFrameDockingFeatureBase::ToggleDockedNode(SECLayoutNode* pNode)
{
    return pNode ? ShowDockedNode(pNode, !IsDockedNodeVisible(pNode, TRUE)) : FALSE;
}

BOOL SECFrameDockingFeatureBase::IsDockedNodeVisible(SECLayoutNode* pNode, BOOL bWithContainer)
{
    auto* hideable = dynamic_cast<ISECHideableNode*>(pNode);
    if (!hideable)
        return FALSE;
    BOOL bContainerVisible = TRUE;
    if (bWithContainer && m_pDockingMgr) {
        if (ISECLNContainer* container = m_pDockingMgr->FindContainer(pNode))
            bContainerVisible = container->IsContainerVisible();
    }
    return bContainerVisible && hideable->IsNodeVisible();
}

void SECFrameDockingFeatureBase::SetCornerMode(int nMode, BOOL bRelayout)
{
    if (!m_pBorderClient)
        return;
    m_pBorderClient->SetCornerMode(nMode);
    if (bRelayout) {
        RECT out {};
        m_pRoot->RecalcInPlace(&out);
        m_pRoot->RealizeLayout(0);
    }
}

BOOL SECFrameDockingFeatureBase::EnableNodeDocking(SECLayoutNode* pNode, BOOL bFirst, BOOL bSecond,
    const RECT* pPreset)
{
    if (!pNode || !m_pDockingMgr)
        return FALSE;
    SECDockingNodeConstraints* constraints = m_pDockingMgr->GetNodeConstraints(pNode, TRUE);
    constraints->m_bHideOnClose = bFirst;
    constraints->m_bAllowClose = bSecond;
    if (pPreset)
        constraints->SetPresetRect(*pPreset);
    return TRUE;
}

BOOL SECFrameDockingFeatureBase::OnSizeParent(AFX_SIZEPARENTPARAMS* pParams)
{
    if (!m_pRoot || !m_pClientNode)
        return FALSE;
    if (!pParams->hDWP) {
        m_pClientNode->GetCurrentRect(&pParams->rect);
        return FALSE;
    }
    RECT out {};
    m_pRoot->RecalcLayout(&out, pParams->rect, FALSE, TRUE);
    m_pClientNode->GetCurrentRect(&pParams->rect);
    UpdateSizableBorderLimits();
    m_pRoot->RealizeLayout(0);
    return TRUE;
}
