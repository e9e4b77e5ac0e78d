#pragma once
// The class library's hash map: a table of buckets (17 unless InitHashTable says otherwise), each a
// chain of associations with the newest first. Iteration runs bucket by bucket in that order, which is
// also the order Serialize writes.

#include <algorithm>
#include <vector>

#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CollectionElements.h"

template<typename KEY, typename ARG_KEY, typename VALUE, typename ARG_VALUE> class CMap : public CObject {
public:
    // nBlockSize is the allocation step of the original's association pool; associations are allocated one
    // by one here.
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_nBlockSize(nBlockSize)
    {
    }
    ~CMap() override { RemoveAll(); }

    // Association counts and the number of buckets.
    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Sets the number of buckets (0 is taken as 1); the associations already held are redistributed.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE)
    {
        std::vector<CAssoc*> all;
        for (CAssoc* chain : m_table) {
            for (CAssoc* a = chain; a; a = a->pNext)
                all.push_back(a);
        }
        m_nHashTableSize = std::max(hashSize, 1u);
        m_table.clear();
        if (bAllocNow || !all.empty())
            m_table.assign(m_nHashTableSize, nullptr);
        // Re-linked oldest first, so each chain keeps its newest-first order.
        for (auto it = all.rbegin(); it != all.rend(); ++it) {
            CAssoc*& head = m_table[(*it)->nHashValue % m_nHashTableSize];
            (*it)->pNext = head;
            head = *it;
        }
    }

    // The value stored under key into rValue; FALSE when there is none.
    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* assoc = Find(key);
        if (!assoc)
            return FALSE;
        rValue = assoc->value;
        return TRUE;
    }
    // The value stored under key, made (value-initialised) when missing.
    VALUE& operator[](ARG_KEY key)
    {
        if (CAssoc* assoc = Find(key))
            return assoc->value;
        if (m_table.empty())
            m_table.assign(m_nHashTableSize, nullptr);
        const UINT hash = HashKey(key);
        CAssoc*& head = m_table[hash % m_nHashTableSize];
        head = new CAssoc { head, hash, KEY(key), VALUE() };
        ++m_nCount;
        return head->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    // Removes the association of key; FALSE when there was none.
    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_table.empty())
            return FALSE;
        for (CAssoc** link = &m_table[HashKey(key) % m_nHashTableSize]; *link; link = &(*link)->pNext) {
            if (CompareElements(&(*link)->key, &key)) {
                CAssoc* gone = *link;
                *link = gone->pNext;
                delete gone;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (CAssoc*& chain : m_table) {
            while (chain) {
                CAssoc* next = chain->pNext;
                delete chain;
                chain = next;
            }
        }
        m_table.clear();
        m_nCount = 0;
    }

    // BEFORE_START_POSITION when the map holds anything, null otherwise.
    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    // The association at rNextPosition into rKey and rValue; rNextPosition moves on, null after the last.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        CAssoc* assoc = reinterpret_cast<CAssoc*>(rNextPosition);
        if (!assoc || m_table.empty())
            AfxThrowInvalidArgException();
        if (rNextPosition == BEFORE_START_POSITION)
            assoc = FirstInBucketFrom(0);
        if (!assoc)
            AfxThrowInvalidArgException();
        CAssoc* next = assoc->pNext;
        if (!next)
            next = FirstInBucketFrom(assoc->nHashValue % m_nHashTableSize + 1);
        rNextPosition = reinterpret_cast<POSITION>(next);
        rKey = assoc->key;
        rValue = assoc->value;
    }

    // The association count (WriteCount form), then each key and value (SerializeElements).
    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (POSITION pos = GetStartPosition(); pos;) {
                KEY key {};
                VALUE value {};
                GetNextAssoc(pos, key, value);
                SerializeElements(ar, &key, 1);
                SerializeElements(ar, &value, 1);
            }
            return;
        }
        for (DWORD_PTR remaining = ar.ReadCount(); remaining > 0; --remaining) {
            KEY key {};
            VALUE value {};
            SerializeElements(ar, &key, 1);
            SerializeElements(ar, &value, 1);
            SetAt(key, value);
        }
    }

private:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

    // The association of key, or null.
    CAssoc* Find(ARG_KEY key) const
    {
        if (m_table.empty())
            return nullptr;
        for (CAssoc* a = m_table[HashKey(key) % m_nHashTableSize]; a; a = a->pNext) {
            if (CompareElements(&a->key, &key))
                return a;
        }
        return nullptr;
    }
    CAssoc* FirstInBucketFrom(UINT bucket) const
    {
        for (; bucket < m_table.size(); ++bucket) {
            if (m_table[bucket])
                return m_table[bucket];
        }
        return nullptr;
    }

    std::vector<CAssoc*> m_table;
    UINT m_nHashTableSize { 17 };
    INT_PTR m_nCount { 0 };
    INT_PTR m_nBlockSize { 10 };
};
