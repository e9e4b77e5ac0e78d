#pragma once
// Walks the subtree below a start node with every child before its parent and the start node last.
// A start node without children yields nothing. Removing the current item from its parent ends the walk,
// since its siblings can no longer be found; callers that edit the tree during a walk rely on that.

namespace quorvale::foundation {

// T is a pointer to a class deriving from SECComposite_T<T>.
template<typename T> class IteratorPreOrder_T {
public:
    explicit IteratorPreOrder_T(T start)
        : m_start(start)
        , m_stop(start ? start->GetParent() : T {})
        , m_firstLeaf(FirstLeafBelow(start))
    {
    }
    virtual ~IteratorPreOrder_T() = default;

    virtual void First() { m_current = FirstLeafBelow(m_start); }
    virtual void Next()
    {
        if (!m_current)
            return;
        T parent = m_current->GetParent();
        if (!parent || parent == m_stop || m_current == m_start) {
            m_current = T {};
            return;
        }
        POSITION pos = nullptr;
        if (!parent->FindChild(m_current, pos)) {
            m_current = T {};
            return;
        }
        T sibling = parent->GetChildAt(parent->GetNextPosition(pos));
        m_current = sibling ? Descend(sibling) : parent;
    }
    virtual void Prev()
    {
        if (!m_current)
            return;
        if (m_current->GetHeadPosition()) {
            m_current = m_current->GetChildAt(m_current->GetTailPosition());
            return;
        }
        if (m_current == m_firstLeaf) {
            m_current = T {};
            return;
        }
        for (T node = m_current; node; node = node->GetParent()) {
            if (T prev = node->Sibling(node, false)) {
                m_current = prev;
                return;
            }
        }
        m_current = T {};
    }
    virtual void Last() { m_current = m_start; }
    T Current() const { return m_current; }
    BOOL IsDone() const { return !m_current; }

private:
    static T Descend(T node)
    {
        while (node->GetHeadPosition())
            node = node->GetChildAt(node->GetHeadPosition());
        return node;
    }
    static T FirstLeafBelow(T start) { return start && start->GetHeadPosition() ? Descend(start) : T {}; }

    T m_start {};
    T m_stop {};
    T m_firstLeaf {};
    T m_current {};
};

} // namespace quorvale::foundation
