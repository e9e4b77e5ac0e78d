#include "toolkit/frames/SECLayoutFactory.h"

#include "platform/afx/CWnd.h"

SECLayoutFactory::~SECLayoutFactory()
{
    DestroyAllListeners();
    DestroyAllNodes();
}

void SECLayoutFactory::AdoptNode(SECLayoutNode* pNode, const CString& name)
{
    pNode->SetName(name);
    pNode->OnNodeCreated();
    pNode->SetNodePool(&m_nodePool, FALSE);
}

template<class Node> Node* SECLayoutFactory::FinishNode(Node* pNode, BOOL bOk, const CString& name)
{
    if (!pNode)
        return nullptr;
    if (!bOk) {
        delete pNode;
        return nullptr;
    }
    AdoptNode(pNode, name);
    return pNode;
}

SECLayoutNode* SECLayoutFactory::CreateNode(NodeFactory* pFactory, const CString& name)
{
    SECLayoutNode* node = pFactory ? pFactory->CreateObject() : nullptr;
    return FinishNode(node, node && ApplyNodeDefaults(node), name);
}

SECLayoutNodeDCBase* SECLayoutFactory::CreateDrawnNode(CWnd* pWnd, SECLayoutNode* pParent, DrawnFactory* pFactory,
    const CString& name)
{
    if (!pWnd || !pFactory)
        return nullptr;
    SECLayoutNodeDCBase* node = pFactory->CreateObject();
    BOOL bOk = node && ApplyNodeDefaults(node);
    if (bOk) {
        node->SetDrawWindow(pWnd->m_hWnd);
        bOk = !pParent || pParent->AddLayoutNode(node) != -1;
    }
    return FinishNode(node, bOk, name);
}

SECLayoutNodeWnd* SECLayoutFactory::CreateWndNode(CWnd* pWnd, CWnd* pParentWnd, SECLayoutNode* pParent,
    WndFactory* pFactory, const CString& name)
{
    SECLayoutNodeWnd* node = pFactory ? pFactory->CreateObject() : nullptr;
    const BOOL bOk = node && ApplyNodeDefaults(node) && node->AttachWindow(pWnd, pParentWnd)
        && (!pParent || pParent->AddLayoutNode(node) != -1);
    return FinishNode(node, bOk, name);
}

SECLayoutNodeWnd* SECLayoutFactory::CreateWndNodeDefault(CWnd* pWnd, CWnd* pParentWnd, SECLayoutNode* pParent,
    const CString& name)
{
    return CreateWndNode(pWnd, pParentWnd, pParent, &m_wndFactory, name);
}

SECLayoutWndListener* SECLayoutFactory::CreateListener(ListenerFactory* pFactory)
{
    SECLayoutWndListener* listener = pFactory ? pFactory->CreateObject() : nullptr;
    if (listener)
        m_listeners.AddObject(listener);
    return listener;
}

BOOL SECLayoutFactory::CollectChildWindows(CList<CWnd*>& windows, CWnd* pParent, CRuntimeClass* pFilter)
{
    if (!pParent)
        return FALSE;
    windows.RemoveAll();
    for (HWND hWnd = ::GetWindow(pParent->m_hWnd, GW_CHILD); hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        CWnd* window = CWnd::FromHandle(hWnd);
        if (!pFilter || window->IsKindOf(pFilter))
            windows.AddTail(window);
    }
    return TRUE;
}

BOOL SECLayoutFactory::CreateChildWindowNodes(SECLayoutNode* pParent, CWnd* pParentWnd, CRuntimeClass* pFilter)
{
    if (!pParent)
        return FALSE;
    CList<CWnd*> windows;
    CollectChildWindows(windows, pParentWnd, pFilter);
    for (POSITION pos = windows.GetHeadPosition(); pos;) {
        if (SECLayoutNodeWnd* node = CreateWndNodeDefault(windows.GetNext(pos), pParentWnd, nullptr))
            pParent->AddLayoutNode(node);
    }
    return TRUE;
}

void SECLayoutFactory::DestroyNode(SECLayoutNode* pNode)
{
    if (!pNode)
        return;
    m_nodePool.RemoveObject(pNode);
    pNode->SetNodePool(nullptr, FALSE);
    delete pNode;
}

void SECLayoutFactory::DestroyListener(SECLayoutWndListener* pListener)
{
    if (pListener && m_listeners.RemoveObject(pListener))
        delete pListener;
}

BOOL SECLayoutFactory::ApplyNodeDefaults(SECLayoutNode* pNode)
{
    if (m_bUseMinMax)
        pNode->SetMinMaxSize(m_sizeMin, m_sizeMax, m_nSizeFlags);
    if (m_bUsePreferred)
        pNode->SetPreferredRect(m_rcPreferred);
    if (m_bUseInitial)
        pNode->SetInitialRect(m_rcInitial);
    return TRUE;
}

void SECLayoutFactory::SetDefaultMinMaxSize(const SIZE& sizeMin, const SIZE& sizeMax, int nFlags)
{
    m_bUseMinMax = TRUE;
    m_sizeMin = sizeMin;
    m_sizeMax = sizeMax;
    m_nSizeFlags = nFlags;
}

void SECLayoutFactory::SetDefaultPreferredRect(const RECT& rect)
{
    m_bUsePreferred = TRUE;
    m_rcPreferred = rect;
}

void SECLayoutFactory::SetDefaultInitialRect(const RECT& rect)
{
    m_bUseInitial = TRUE;
    m_rcInitial = rect;
}
