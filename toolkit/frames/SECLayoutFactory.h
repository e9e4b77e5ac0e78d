#pragma once
// Makes layout nodes and layout listeners through class factories, gives nodes their defaults and a
// name, attaches them to a parent and keeps them in its node pool, so that whatever it made goes with it.
// Whatever fails half way is destroyed again before null is answered.

#include "platform/afx/CList.h"
#include "platform/afx/CString.h"
#include "toolkit/frames/SECClassFactory_T.h"
#include "toolkit/frames/SECLayoutNodeDCBase.h"
#include "toolkit/frames/SECLayoutNodeWnd.h"
#include "toolkit/frames/SECLayoutWndListener.h"

class CRuntimeClass;
class CWnd;

class SECLayoutFactory {
public:
    using NodeFactory = quorvale::foundation::SECClassFactory<SECLayoutNode>;
    using DrawnFactory = quorvale::foundation::SECClassFactory<SECLayoutNodeDCBase>;
    using WndFactory = quorvale::foundation::SECClassFactory<SECLayoutNodeWnd>;
    using ListenerFactory = quorvale::foundation::SECClassFactory<SECLayoutWndListener>;

    SECLayoutFactory() = default;
    SECLayoutFactory(const SECLayoutFactory&) = delete;
    SECLayoutFactory& operator=(const SECLayoutFactory&) = delete;
    // Listeners go first: they still point at nodes.
    virtual ~SECLayoutFactory();

    SECLayoutNode* CreateNode(NodeFactory* pFactory, const CString& name = CString());
    SECLayoutNodeDCBase* CreateDrawnNode(CWnd* pWnd, SECLayoutNode* pParent, DrawnFactory* pFactory,
        const CString& name = CString());
    SECLayoutNodeWnd* CreateWndNode(CWnd* pWnd, CWnd* pParentWnd, SECLayoutNode* pParent, WndFactory* pFactory,
        const CString& name = CString());
    SECLayoutNodeWnd* CreateWndNodeDefault(CWnd* pWnd, CWnd* pParentWnd, SECLayoutNode* pParent,
        const CString& name = CString());
    SECLayoutWndListener* CreateListener(ListenerFactory* pFactory);
    SECLayoutWndListener* CreateLayoutListener() { return CreateListener(&m_listenerFactory); }

    // The direct child windows of pParent in z-order, of the filter's class when one is given.
    virtual BOOL CollectChildWindows(CList<CWnd*>& windows, CWnd* pParent, CRuntimeClass* pFilter);
    virtual BOOL CreateChildWindowNodes(SECLayoutNode* pParent, CWnd* pParentWnd, CRuntimeClass* pFilter);
    virtual void DestroyNode(SECLayoutNode* pNode);
    virtual void DestroyAllNodes() { m_nodePool.DeleteAllObjects(); }
    virtual void DestroyListener(SECLayoutWndListener* pListener);
    virtual void DestroyAllListeners() { m_listeners.DeleteAllObjects(); }
    virtual BOOL ApplyNodeDefaults(SECLayoutNode* pNode);

    void SetDefaultMinMaxSize(const SIZE& sizeMin, const SIZE& sizeMax, int nFlags);
    void SetDefaultPreferredRect(const RECT& rect);
    void SetDefaultInitialRect(const RECT& rect);

    NodeFactory* GetPlainNodeFactory() { return &m_plainFactory; }
    const SECLayoutNodePool& GetNodePool() const { return m_nodePool; }

protected:
    // Names the node, lets it finish itself and puts it into the pool.
    void AdoptNode(SECLayoutNode* pNode, const CString& name);
    // Adopts a made node when every step worked, else destroys it; null for null.
    template<class Node> Node* FinishNode(Node* pNode, BOOL bOk, const CString& name);

    quorvale::foundation::SECClassFactory_T<SECLayoutNode, SECLayoutNode> m_plainFactory;
    quorvale::foundation::SECClassFactory_T<SECLayoutNodeWnd, SECLayoutNodeWnd> m_wndFactory;
    quorvale::foundation::SECClassFactory_T<SECLayoutWndListener, SECLayoutWndListener> m_listenerFactory;
    SECLayoutNodePool m_nodePool;
    quorvale::foundation::SECObjectMemoryManager_T<SECLayoutWndListener> m_listeners;
    BOOL m_bUseMinMax { FALSE };
    SIZE m_sizeMin {};
    SIZE m_sizeMax {};
    int m_nSizeFlags { 0 };
    BOOL m_bUsePreferred { FALSE };
    RECT m_rcPreferred {};
    BOOL m_bUseInitial { FALSE };
    RECT m_rcInitial {};
};
