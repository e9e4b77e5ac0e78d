#pragma once
// The class library's doubly linked list of values. A POSITION is a node of the list; it stays valid
// until that node is removed. A null POSITION or an empty list where an element is needed throws
// CInvalidArgException.

#include <algorithm>

#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CollectionElements.h"

template<typename TYPE, typename ARG_TYPE = const TYPE&> class CList : public CObject {
public:
    // nBlockSize is the allocation step of the original's node pool; nodes are allocated one by one here.
    explicit CList(INT_PTR nBlockSize = 10)
        : m_nBlockSize(nBlockSize)
    {
    }
    ~CList() override { RemoveAll(); }

    // Element counts.
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // The first (last) element; throws CInvalidArgException for an empty list.
    TYPE& GetHead() { return NonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return NonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_pNodeTail)->data; }

    // Removes the first (last) element and returns it.
    TYPE RemoveHead()
    {
        CNode* node = NonEmpty(m_pNodeHead);
        TYPE value = node->data;
        RemoveAt(ToPosition(node));
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* node = NonEmpty(m_pNodeTail);
        TYPE value = node->data;
        RemoveAt(ToPosition(node));
        return value;
    }
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }
    // Adds copies of another list's elements in their order.
    void AddHead(const CList* pNewList)
    {
        if (!pNewList)
            AfxThrowInvalidArgException();
        const CList copy(*pNewList);
        for (POSITION pos = copy.GetTailPosition(); pos;)
            AddHead(copy.GetPrev(pos));
    }
    void AddTail(const CList* pNewList)
    {
        if (!pNewList)
            AfxThrowInvalidArgException();
        const CList copy(*pNewList);
        for (POSITION pos = copy.GetHeadPosition(); pos;)
            AddTail(copy.GetNext(pos));
    }
    void RemoveAll()
    {
        while (m_pNodeHead) {
            CNode* next = m_pNodeHead->pNext;
            delete m_pNodeHead;
            m_pNodeHead = next;
        }
        m_pNodeTail = nullptr;
        m_nCount = 0;
    }

    // The first (last) node, null for an empty list.
    POSITION GetHeadPosition() const { return ToPosition(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pNodeTail); }
    // The element at rPosition; rPosition moves to the next (previous) node, null after the last (first).
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* node = NodeAt(rPosition);
        rPosition = ToPosition(node->pNext);
        return node->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        CNode* node = NodeAt(rPosition);
        rPosition = ToPosition(node->pNext);
        return node->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* node = NodeAt(rPosition);
        rPosition = ToPosition(node->pPrev);
        return node->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        CNode* node = NodeAt(rPosition);
        rPosition = ToPosition(node->pPrev);
        return node->data;
    }
    TYPE& GetAt(POSITION position) { return NodeAt(position)->data; }
    const TYPE& GetAt(POSITION position) const { return NodeAt(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { NodeAt(pos)->data = newElement; }
    void RemoveAt(POSITION position)
    {
        CNode* node = NodeAt(position);
        (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
        delete node;
        --m_nCount;
    }
    // Inserts before (after) the node at position; a null position inserts at the head (tail).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        CNode* next = position ? NodeAt(position) : m_pNodeHead;
        auto* node = new CNode { next, next ? next->pPrev : m_pNodeTail, TYPE(newElement) };
        if (!position)
            node->pPrev = nullptr;
        Link(node);
        return ToPosition(node);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        CNode* prev = position ? NodeAt(position) : m_pNodeTail;
        auto* node = new CNode { prev ? prev->pNext : m_pNodeHead, prev, TYPE(newElement) };
        if (!position)
            node->pNext = nullptr;
        Link(node);
        return ToPosition(node);
    }

    // The first node after startAfter (from the head when null) whose element equals searchValue, or null.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* node = startAfter ? NodeAt(startAfter)->pNext : m_pNodeHead;
        for (; node; node = node->pNext) {
            if (CompareElements<TYPE, std::remove_cv_t<std::remove_reference_t<ARG_TYPE>>>(&node->data, &searchValue))
                return ToPosition(node);
        }
        return nullptr;
    }
    // The node at a zero-based index, or null when the index is outside the list.
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        CNode* node = m_pNodeHead;
        while (nIndex-- > 0)
            node = node->pNext;
        return ToPosition(node);
    }

    // The element count (WriteCount form), then each element (SerializeElements); loading appends.
    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (CNode* node = m_pNodeHead; node; node = node->pNext)
                SerializeElements(ar, &node->data, 1);
            return;
        }
        for (DWORD_PTR remaining = ar.ReadCount(); remaining > 0; --remaining) {
            TYPE value {};
            SerializeElements(ar, &value, 1);
            AddTail(value);
        }
    }

protected:
    // Copies for the list-adding operations (which must survive adding a list to itself).
    CList(const CList& other)
        : CObject()
        , m_nBlockSize(other.m_nBlockSize)
    {
        for (CNode* node = other.m_pNodeHead; node; node = node->pNext)
            AddTail(node->data);
    }

private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

    // Conversions between nodes and positions; a null position where a node is needed throws.
    static POSITION ToPosition(CNode* node) { return reinterpret_cast<POSITION>(node); }
    static CNode* NodeAt(POSITION position)
    {
        if (!position)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* NonEmpty(CNode* node)
    {
        if (!node)
            AfxThrowInvalidArgException();
        return node;
    }
    void Link(CNode* node)
    {
        (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node;
        (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node;
        ++m_nCount;
    }

    CNode* m_pNodeHead { nullptr };
    CNode* m_pNodeTail { nullptr };
    INT_PTR m_nCount { 0 };
    INT_PTR m_nBlockSize { 10 };
};
