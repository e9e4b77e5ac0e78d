#pragma once
// An ownership list: whatever it holds it deletes when it goes or when told to empty itself. A node pool
// is one of these over layout nodes; a node records its pool so that it can move between pools.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CList.h"

namespace quorvale::foundation {

template<typename T> class SECObjectMemoryManager_T {
public:
    SECObjectMemoryManager_T() = default;
    SECObjectMemoryManager_T(const SECObjectMemoryManager_T&) = delete;
    SECObjectMemoryManager_T& operator=(const SECObjectMemoryManager_T&) = delete;
    virtual ~SECObjectMemoryManager_T() { DeleteAllObjects(); }

    // False for null or an object already held.
    virtual bool AddObject(T* object)
    {
        if (!object || FindObject(object))
            return false;
        m_objects.AddTail(object);
        return true;
    }
    // Gives the object up without deleting it.
    virtual bool RemoveObject(T* object)
    {
        POSITION pos = FindObject(object);
        if (!pos)
            return false;
        m_objects.RemoveAt(pos);
        return true;
    }
    virtual POSITION FindObject(T* object) const { return object ? m_objects.Find(object) : nullptr; }
    // Deletes every object; answers how many there were.
    virtual int DeleteAllObjects()
    {
        const int count = GetObjectCount();
        // Taken out before deletion, so an object whose destructor asks the list finds it gone.
        while (!m_objects.IsEmpty())
            delete m_objects.RemoveHead();
        return count;
    }
    virtual int GetObjectCount() const { return static_cast<int>(m_objects.GetCount()); }

private:
    CList<T*> m_objects { 10 };
};

} // namespace quorvale::foundation
