#pragma once
// A node of the docking layout tree. A node owns nothing visible: it keeps rectangles and size limits,
// lays its children out inside a rectangle (RecalcLayout) and finally applies a whole subtree's
// rectangles to windows in one deferred batch (RealizeLayout), so the screen is updated once.
// Nodes are owned by a node pool, never by their parent; removing a child only clears its parent.
//
// Other code of the toolkit (the layout-node window and the workspace classes built on it) names some of
// these operations differently. The operations exist once, under the names below; callers use these:
//   AddChildNode -> AddChild            LayoutInRect -> RecalcLayout      RealizeTree -> RealizeLayout
//   SetVisibleState -> SetNodeVisible   SetNodeFlags -> SetNodeStyle      SetNodeOrientation -> SetOrientation
//   GetWindowCount -> GetDeferWindowCount   SECToolkitData -> the display cache (SECDisplayCache)

#include "platform/afx/CString.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/WinUser.h"
#include "toolkit/frames/SECComposite_T.h"
#include "toolkit/frames/SECObjectMemoryManager_T.h"

class SECLayoutNode;
using SECLayoutNodePool = quorvale::foundation::SECObjectMemoryManager_T<SECLayoutNode>;

class SECLayoutNode : public quorvale::foundation::SECComposite_T<SECLayoutNode*> {
public:
    // Size flags.
    static constexpr int NoMinSize = 0x01;
    static constexpr int NoMaxSize = 0x02;
    // Node style bits.
    static constexpr DWORD KeepOldWidth = 0x01;
    static constexpr DWORD KeepOldHeight = 0x02;
    static constexpr DWORD KeepOldLeft = 0x04;
    static constexpr DWORD KeepOldTop = 0x08;
    static constexpr DWORD InvalidateUncovered = 0x10;

    SECLayoutNode() = default;
    ~SECLayoutNode() override;

    virtual int GetDeferWindowCount() { return 0; }
    virtual BOOL IsAttachable() { return TRUE; }
    virtual void SetMinMaxSize(const SIZE& sizeMin, const SIZE& sizeMax, int nFlags);
    virtual void GetMinMaxSize(SIZE& sizeMin, SIZE& sizeMax, int& nFlags);
    virtual void AttachToParent(SECLayoutNode* pParent) { SetParent(pParent, TRUE); }
    virtual SECLayoutNode* GetParentNode() { return GetParent(); }
    virtual SECLayoutNode* GetRootNode();
    virtual void InvalidateLayout(BOOL bUpward);
    virtual void ValidateLayout() { m_bDirty = FALSE; }
    virtual void SetRectChanged() { m_bRectChanged = TRUE; }
    virtual BOOL IsRectChanged() { return m_bRectChanged; }
    virtual void SetNodeStyle(DWORD dwStyle, BOOL bRecurse);
    virtual void ModifyNodeStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRecurse);
    virtual DWORD GetNodeStyle() { return m_dwNodeStyle; }
    virtual void LockLayout(BOOL bLock, BOOL bRecurse);
    virtual void GetInitialRect(RECT* pRect) { *pRect = m_rcInitial; }
    virtual void ResetInitialRect();
    virtual void SetInitialRect(const RECT& rect);
    virtual void StoreInitialRect(const RECT& rect) { m_rcInitial = rect; }
    virtual void GetPreferredRect(RECT* pRect) { *pRect = m_rcPreferred; }
    virtual void SetPreferredRect(const RECT& rect) { m_rcPreferred = rect; }
    virtual RECT* GetCurrentRect(RECT* pRect);
    virtual RECT* GetClampedRect(RECT* pRect);
    virtual void SetCurrentRect(const RECT& rect) { m_rcCurrent = rect; }
    virtual void GetRealizedRect(RECT* pRect) { *pRect = m_rcRealized; }
    virtual void SetRealizedRect(const RECT& rect) { m_rcRealized = rect; }
    virtual void GetPreviousRect(RECT* pRect) { *pRect = m_rcPrevious; }
    virtual void SetPreviousRect(const RECT& rect) { m_rcPrevious = rect; }
    virtual int AddLayoutNode(SECLayoutNode* pChild);
    virtual BOOL MoveLayoutNode(SECLayoutNode* pChild, SECLayoutNode* pReference, BOOL bAfter);
    virtual int RemoveLayoutNode(SECLayoutNode* pChild);
    virtual RECT* RecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce);
    virtual BOOL RealizeLayout(UINT nValue);
    virtual BOOL RealizeNode(HDWP* /*pBatch*/, UINT /*nValue*/) { return TRUE; }
    virtual void EraseNodeBackground(BOOL bRecurse, HDC hDC);
    virtual void PaintNode(BOOL bRecurse, HDC hDC);
    virtual BOOL InvalidateNode(BOOL bErase, BOOL bRecurse);
    virtual void GetChildrenRect(RECT* pRect);
    virtual void InitNode(BOOL bRecurse);
    virtual SECLayoutNodePool* GetNodePool() { return m_pNodePool; }
    virtual void SetNodePool(SECLayoutNodePool* pPool, BOOL bRecurse);
    virtual void SetDrawOffset(int x, int y) { m_ptDrawOffset = { x, y }; }
    virtual void SetOrientation(BOOL bHorizontal, BOOL bRecurse);
    virtual void OnNodeCreated() { }
    virtual RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce);
    virtual void InvalidateNodeRect(const RECT& /*rect*/, BOOL /*bErase*/) { }
    virtual BOOL NeedsRecalc(BOOL bForce, const RECT& rect);
    virtual void ClampToLimits(RECT* pRect);
    virtual void ApplyStyleToRect(const RECT& rcOld, RECT* pNew);
    virtual void InvalidateUncoveredStrips();

    RECT* RecalcInPlace(RECT* pOut) { return RecalcLayout(pOut, m_rcCurrent, FALSE, TRUE); }
    void ClampRectToLimits(RECT* pRect);
    void UpdateRepaintTree(BOOL bRecurse);

    const CString& GetName() const { return m_strName; }
    void SetName(const CString& name) { m_strName = name; }
    BOOL IsLocked() const { return m_bLocked; }
    BOOL IsHorizontal() const { return m_bHorizontal; }
    POINT GetDrawOffset() const { return m_ptDrawOffset; }

protected:
    // Calls fn on every node of the subtree below this one, children before parents, this node last
    // (not at all when it has no children).
    template<typename Fn> void ForEachInSubtree(Fn fn);

    SIZE m_sizeMin {};
    SIZE m_sizeMax {};
    int m_nSizeFlags { NoMaxSize };
    BOOL m_bDirty { TRUE };
    BOOL m_bRectChanged { FALSE };
    DWORD m_dwNodeStyle { 0 };
    POINT m_ptDrawOffset {};
    BOOL m_bLocked { FALSE };
    BOOL m_bHorizontal { TRUE };
    CString m_strName;
    RECT m_rcInitial {};
    RECT m_rcCurrent {};
    RECT m_rcPreferred {};
    RECT m_rcRealized {};
    RECT m_rcPrevious {};
    SECLayoutNodePool* m_pNodePool { nullptr };
};
