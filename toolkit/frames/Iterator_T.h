#pragma once
// Walks the direct children of one node in list order. The position object holds the item itself, so the
// walk survives insertions elsewhere in the list. A derived iterator may refuse items through Accept; the
// moves then skip on in the same direction.

#include <type_traits>

#include "platform/afx/AfxTypes.h"
#include "toolkit/frames/CCIterPos_T.h"

namespace quorvale::foundation {

// T is a pointer to a class deriving from SECComposite_T<T>; such a node is the collection walked.
template<typename T> class Iterator_T {
public:
    Iterator_T() = default;
    explicit Iterator_T(T collection) { Attach(collection); }
    Iterator_T(const Iterator_T&) = delete;
    Iterator_T& operator=(const Iterator_T&) = delete;
    virtual ~Iterator_T() { delete m_pPos; }

    // Walks another collection while keeping the root it was attached to.
    virtual void SetWalkCollection(T collection)
    {
        if (collection == m_walked)
            return;
        m_walked = collection;
        ReplacePosition();
    }
    virtual void Attach(T collection)
    {
        if (collection == m_root && m_pPos)
            return;
        m_root = collection;
        m_walked = collection;
        ReplacePosition();
    }
    virtual int Accept(T /*item*/) { return 1; }
    virtual void First() { Move(&Walked::MoveFirst, &Walked::MoveNext); }
    virtual void Next() { Move(&Walked::MoveNext, &Walked::MoveNext); }
    virtual void Prev() { Move(&Walked::MovePrev, &Walked::MovePrev); }
    virtual void Last() { Move(&Walked::MoveLast, &Walked::MovePrev); }
    virtual T Current() const { return m_pPos ? m_pPos->m_item : T {}; }
    virtual BOOL IsDone() const { return !Current(); }

private:
    using Walked = std::remove_pointer_t<T>;
    using Step = void (Walked::*)(CCIterPos_T<T>*) const;

    void ReplacePosition()
    {
        delete m_pPos;
        m_pPos = m_walked ? m_walked->CreateIteratorPos() : nullptr;
    }
    void Move(Step first, Step then)
    {
        if (!m_walked || !m_pPos)
            return;
        (m_walked->*first)(m_pPos);
        while (!IsDone() && !Accept(Current()))
            (m_walked->*then)(m_pPos);
    }

    CCIterPos_T<T>* m_pPos { nullptr };
    T m_root {};
    T m_walked {};
};

} // namespace quorvale::foundation
