#include "toolkit/frames/SECLayoutDockFactory.h"

#include "platform/afx/CWnd.h"

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateGripperNode(CWnd* pWnd, DrawnFactory* pFactory,
    SECLayoutNode* pChild, const CString& name)
{
    SECLayoutNodeDCBase* node = CreateDrawnNode(pWnd, nullptr, pFactory, name);
    if (!node)
        return nullptr;
    if (pChild && node->AddLayoutNode(pChild) == -1) {
        DestroyNode(node);
        return nullptr;
    }
    if (auto* border = dynamic_cast<ISECBorderWrapper*>(node))
        border->EnableBorder(TRUE, FALSE);
    return node;
}

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateFloatableGripper(CWnd* pWnd, SECLayoutNode* pChild,
    const CString& name)
{
    return CreateGripperNode(pWnd, &m_floatableFactory, pChild, name);
}

SECLayoutNodeDCBase* SECLayoutDockFactory::WrapInner(CWnd* pWnd, SECLayoutNode* pInner, const CString& name,
    SECLayoutNode** ppInner)
{
    if (!pInner)
        return nullptr;
    SECLayoutNodeDCBase* gripper = CreateFloatableGripper(pWnd, pInner, name);
    if (!gripper) {
        DestroyNode(pInner);
        return nullptr;
    }
    if (ppInner)
        *ppInner = pInner;
    return gripper;
}

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateDockableNode(CWnd* pWnd, NodeFactory* pFactory, const CString& name,
    SECLayoutNode** ppInner)
{
    return WrapInner(pWnd, CreateNode(pFactory, name), name, ppInner);
}

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateDockableNodeIn(SECLayoutNode* pParent, CWnd* pWnd,
    NodeFactory* pFactory, const CString& name, SECLayoutNode** ppInner)
{
    if (!pParent)
        return nullptr;
    SECLayoutNode* inner = nullptr;
    SECLayoutNodeDCBase* gripper = CreateDockableNode(pWnd, pFactory, name, &inner);
    if (!gripper)
        return nullptr;
    if (pParent->AddLayoutNode(gripper) == -1) {
        gripper->RemoveLayoutNode(inner);
        DestroyNode(inner);
        DestroyNode(gripper);
        if (ppInner)
            *ppInner = nullptr;
        return nullptr;
    }
    if (ppInner)
        *ppInner = inner;
    return gripper;
}

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateDockableDrawnNode(CWnd* pWnd, DrawnFactory* pFactory,
    const CString& name, SECLayoutNode** ppInner)
{
    return WrapInner(pWnd, CreateDrawnNode(pWnd, nullptr, pFactory, name), name, ppInner);
}

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateDockableDCNode(CWnd* pWnd, const CString& name,
    SECLayoutNode** ppInner)
{
    return CreateDockableDrawnNode(pWnd, &m_dcFactory, name, ppInner);
}

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateDockableWndNode(CWnd* pWnd, CWnd* pParentWnd, WndFactory* pFactory,
    const CString& name, BOOL bScaleChildren, SECLayoutNode** ppInner)
{
    if (!pWnd || !pParentWnd)
        return nullptr;
    SECLayoutNodeWnd* inner = CreateWndNode(pWnd, pParentWnd, nullptr, pFactory, name);
    if (inner && bScaleChildren)
        ScaleChildWindows(pWnd);
    return WrapInner(pParentWnd, inner, name, ppInner);
}

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateDockableWndNodeDefault(CWnd* pWnd, CWnd* pParentWnd,
    const CString& name, BOOL bScaleChildren, SECLayoutNode** ppInner)
{
    return CreateDockableWndNode(pWnd, pParentWnd, &m_wndFactory, name, bScaleChildren, ppInner);
}

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateDockableWndNodeById(UINT nID, CWnd* pParentWnd,
    WndFactory* pFactory, const CString& name, BOOL bScaleChildren, SECLayoutNode** ppInner)
{
    if (!pParentWnd)
        return nullptr;
    return CreateDockableWndNode(pParentWnd->GetDlgItem(static_cast<int>(nID)), pParentWnd, pFactory, name,
        bScaleChildren, ppInner);
}

SECLayoutNodeDCBase* SECLayoutDockFactory::CreateDockableWndNodeByIdDefault(UINT nID, CWnd* pParentWnd,
    const CString& name, BOOL bScaleChildren, SECLayoutNode** ppInner)
{
    return CreateDockableWndNodeById(nID, pParentWnd, &m_wndFactory, name, bScaleChildren, ppInner);
}

BOOL SECLayoutDockFactory::ScaleChildWindows(CWnd* pWnd)
{
    if (!pWnd)
        return FALSE;
    SECLayoutNode* root = CreateNode(&m_scaleFactory);
    SECLayoutWndListener* listener = CreateLayoutListener();
    if (!root || !listener)
        return FALSE;
    CreateChildWindowNodes(root, pWnd, nullptr);
    return listener->AttachLayoutToWindow(root, pWnd, TRUE, TRUE, FALSE);
}
