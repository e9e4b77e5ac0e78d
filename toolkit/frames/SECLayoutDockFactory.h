#pragma once
// The layout factory of the docking cases: a window, a plain node or a drawn node wrapped in a floatable
// gripper so that it can be dragged, docked and floated, and windows whose child windows keep their
// proportions when the window is resized.

#include "toolkit/frames/SECFloatableDockingNode_T.h"
#include "toolkit/frames/SECLNScale.h"
#include "toolkit/frames/SECLayoutFactory.h"
#include "toolkit/frames/SECLayoutNodeDC.h"
#include "toolkit/frames/SECReparentableGripperEx.h"

class SECLayoutDockFactory : public SECLayoutFactory {
public:
    using FloatableGripper = SECFloatableDockingNode_T<SECReparentableGripperEx>;

    // A drawn node around pChild (when given) with its border on.
    virtual SECLayoutNodeDCBase* CreateGripperNode(CWnd* pWnd, DrawnFactory* pFactory, SECLayoutNode* pChild,
        const CString& name = CString());
    virtual SECLayoutNodeDCBase* CreateFloatableGripper(CWnd* pWnd, SECLayoutNode* pChild,
        const CString& name = CString());
    virtual SECLayoutNodeDCBase* CreateDockableNodeIn(SECLayoutNode* pParent, CWnd* pWnd, NodeFactory* pFactory,
        const CString& name = CString(), SECLayoutNode** ppInner = nullptr);
    virtual SECLayoutNodeDCBase* CreateDockableNode(CWnd* pWnd, NodeFactory* pFactory,
        const CString& name = CString(), SECLayoutNode** ppInner = nullptr);
    virtual SECLayoutNodeDCBase* CreateDockableDrawnNode(CWnd* pWnd, DrawnFactory* pFactory,
        const CString& name = CString(), SECLayoutNode** ppInner = nullptr);
    virtual SECLayoutNodeDCBase* CreateDockableDCNode(CWnd* pWnd, const CString& name = CString(),
        SECLayoutNode** ppInner = nullptr);
    virtual SECLayoutNodeDCBase* CreateDockableWndNode(CWnd* pWnd, CWnd* pParentWnd, WndFactory* pFactory,
        const CString& name = CString(), BOOL bScaleChildren = FALSE, SECLayoutNode** ppInner = nullptr);
    virtual SECLayoutNodeDCBase* CreateDockableWndNodeDefault(CWnd* pWnd, CWnd* pParentWnd,
        const CString& name = CString(), BOOL bScaleChildren = FALSE, SECLayoutNode** ppInner = nullptr);
    virtual SECLayoutNodeDCBase* CreateDockableWndNodeById(UINT nID, CWnd* pParentWnd, WndFactory* pFactory,
        const CString& name = CString(), BOOL bScaleChildren = FALSE, SECLayoutNode** ppInner = nullptr);
    virtual SECLayoutNodeDCBase* CreateDockableWndNodeByIdDefault(UINT nID, CWnd* pParentWnd,
        const CString& name = CString(), BOOL bScaleChildren = FALSE, SECLayoutNode** ppInner = nullptr);
    // From now on the window's child windows keep their proportions when it is resized.
    virtual BOOL ScaleChildWindows(CWnd* pWnd);

private:
    // Wraps a made inner node; on failure the inner node is destroyed too.
    SECLayoutNodeDCBase* WrapInner(CWnd* pWnd, SECLayoutNode* pInner, const CString& name, SECLayoutNode** ppInner);

    quorvale::foundation::SECClassFactory_T<SECLayoutNodeDC, SECLayoutNodeDCBase> m_dcFactory;
    quorvale::foundation::SECClassFactory_T<SECLNScale, SECLayoutNode> m_scaleFactory;
    quorvale::foundation::SECClassFactory_T<FloatableGripper, SECLayoutNodeDCBase> m_floatableFactory;
};
