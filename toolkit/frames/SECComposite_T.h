#pragma once
// The child list of a tree node. A child knows its parent; removing a child from the list only clears
// that parent pointer, because nodes are owned by their pool, never by the tree.
// The tree-walk face (CreateIteratorPos, Move*) works on position objects that hold the item rather than a
// list position, so a walk survives insertions elsewhere in the list; each step finds the item again.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CList.h"
#include "toolkit/frames/CCIterPos_T.h"

namespace quorvale::foundation {

// T is a pointer to a class that derives from SECComposite_T<T>.
template<typename T> class SECComposite_T {
public:
    SECComposite_T() = default;
    SECComposite_T(const SECComposite_T&) = delete;
    SECComposite_T& operator=(const SECComposite_T&) = delete;
    virtual ~SECComposite_T() = default;

    // Direct children; with bDeep every descendant.
    virtual int GetChildCount(BOOL bDeep) const
    {
        int count = static_cast<int>(m_children.GetCount());
        if (bDeep) {
            for (POSITION pos = m_children.GetHeadPosition(); pos;)
                count += m_children.GetNext(pos)->GetChildCount(TRUE);
        }
        return count;
    }
    virtual T GetChildAt(POSITION pos) const { return pos ? m_children.GetAt(pos) : T {}; }
    virtual BOOL AddChild(T child)
    {
        if (!child)
            return FALSE;
        m_children.AddTail(child);
        child->SetParent(Self(), FALSE);
        return TRUE;
    }
    // A null position inserts at the head.
    virtual BOOL InsertChildAfter(T child, POSITION after)
    {
        if (!child)
            return FALSE;
        if (after)
            m_children.InsertAfter(after, child);
        else
            m_children.AddHead(child);
        child->SetParent(Self(), FALSE);
        return TRUE;
    }
    virtual BOOL RemoveChild(T child)
    {
        POSITION pos = nullptr;
        return FindChild(child, pos) && RemoveChildAt(pos);
    }
    virtual BOOL RemoveChildAt(POSITION pos)
    {
        if (!pos)
            return FALSE;
        T child = m_children.GetAt(pos);
        m_children.RemoveAt(pos);
        child->SetParent(T {}, FALSE);
        return TRUE;
    }
    virtual BOOL FindChild(T child, POSITION& pos) const
    {
        pos = child ? m_children.Find(child) : nullptr;
        return pos != nullptr;
    }
    virtual POSITION GetHeadPosition() const { return m_children.GetHeadPosition(); }
    virtual POSITION GetTailPosition() const { return m_children.GetTailPosition(); }
    virtual POSITION GetNextPosition(POSITION pos) const
    {
        if (pos)
            m_children.GetNext(pos);
        return pos;
    }
    virtual POSITION GetPrevPosition(POSITION pos) const
    {
        if (pos)
            m_children.GetPrev(pos);
        return pos;
    }
    // With bNotify the old and new parents update their lists; the field is set in every case.
    virtual void SetParent(T parent, BOOL bNotify)
    {
        if (bNotify) {
            if (T old = m_pParent)
                old->RemoveChild(Self());
            if (parent)
                parent->AddChild(Self());
        }
        m_pParent = parent;
    }
    virtual T GetParent() const { return m_pParent; }

    // The tree-walk face: a new position on the first child; the caller deletes it.
    virtual CCIterPos_T<T>* CreateIteratorPos()
    {
        auto* pos = new CCIterPos_T<T>;
        MoveFirst(pos);
        return pos;
    }
    virtual void MoveFirst(CCIterPos_T<T>* pos) const { pos->m_item = GetChildAt(GetHeadPosition()); }
    virtual void MoveLast(CCIterPos_T<T>* pos) const { pos->m_item = GetChildAt(GetTailPosition()); }
    // Next and previous sibling of the position's item in the item's own parent list.
    virtual void MoveNext(CCIterPos_T<T>* pos) const { pos->m_item = Sibling(pos->m_item, true); }
    virtual void MovePrev(CCIterPos_T<T>* pos) const { pos->m_item = Sibling(pos->m_item, false); }
    virtual T GetCurrentItem(const CCIterPos_T<T>* pos) const { return pos ? pos->m_item : T {}; }
    virtual BOOL IsPosDone(const CCIterPos_T<T>* pos) const { return !pos || !pos->m_item; }
    virtual BOOL MoveUp(CCIterPos_T<T>* pos) const
    {
        if (!pos || !pos->m_item)
            return FALSE;
        pos->m_item = pos->m_item->GetParent();
        return TRUE;
    }

    // The neighbour of item in its parent's list; null when there is none or item left the list.
    static T Sibling(T item, bool next)
    {
        T parent = item ? item->GetParent() : T {};
        POSITION pos = nullptr;
        if (!parent || !parent->FindChild(item, pos))
            return T {};
        return parent->GetChildAt(next ? parent->GetNextPosition(pos) : parent->GetPrevPosition(pos));
    }

private:
    T Self() { return static_cast<T>(this); }

    CList<T> m_children { 10 };
    T m_pParent {};
};

} // namespace quorvale::foundation
