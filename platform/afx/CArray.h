#pragma once
// The class library's growable array of values. Indexes out of range throw CInvalidArgException
// (SetAtGrow and InsertAt grow the array instead, for indexes past the end).

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CollectionElements.h"

template<typename TYPE, typename ARG_TYPE = const TYPE&> class CArray : public CObject {
public:
    CArray() = default;

    // Element counts; GetUpperBound is the last index (-1 when empty).
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // Resizes to nNewSize elements (new ones value-initialised); nGrowBy, when not -1, is the growth step.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        const auto size = static_cast<std::size_t>(nNewSize);
        if (size > m_data.capacity() && m_nGrowBy > 0)
            m_data.reserve(std::max(size, m_data.size() + static_cast<std::size_t>(m_nGrowBy)));
        m_data.resize(size);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    // Element access by index; an index outside the array throws CInvalidArgException.
    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[Checked(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    // The elements in order; null when there are none.
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    // Sets the element at nIndex, growing the array when the index is past its end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        if (nIndex >= GetSize()) {
            TYPE copy(newElement); // the argument may live inside this array
            SetSize(nIndex + 1);
            m_data[static_cast<std::size_t>(nIndex)] = std::move(copy);
            return;
        }
        m_data[static_cast<std::size_t>(nIndex)] = newElement;
    }
    // Appends an element; returns its index.
    INT_PTR Add(ARG_TYPE newElement)
    {
        const INT_PTR index = GetSize();
        SetAtGrow(index, newElement);
        return index;
    }
    // Appends the elements of src; returns the index of the first.
    INT_PTR Append(const CArray& src)
    {
        const INT_PTR first = GetSize();
        const std::vector<TYPE> copy(src.m_data); // src may be this array
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return first;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }
    // Inserts nCount copies at nIndex (past the end: the array grows to hold them there).
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        TYPE copy(newElement);
        if (nIndex >= GetSize())
            SetSize(nIndex);
        m_data.insert(m_data.begin() + nIndex, static_cast<std::size_t>(nCount), copy);
    }
    // Inserts all elements of pNewArray at nStartIndex.
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (!pNewArray || nStartIndex < 0)
            AfxThrowInvalidArgException();
        const std::vector<TYPE> copy(pNewArray->m_data);
        if (nStartIndex >= GetSize())
            SetSize(nStartIndex);
        m_data.insert(m_data.begin() + nStartIndex, copy.begin(), copy.end());
    }
    // Removes nCount elements from nIndex; the whole range must lie inside the array.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nCount > GetSize() - nIndex)
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    // The element count (WriteCount form), then the elements (SerializeElements).
    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
            SerializeElements(ar, GetData(), GetSize());
            return;
        }
        DWORD_PTR remaining = ar.ReadCount();
        RemoveAll();
        while (remaining > 0) {
            const INT_PTR chunk = static_cast<INT_PTR>(std::min<DWORD_PTR>(remaining, afx::kSerializeChunk));
            const INT_PTR start = GetSize();
            SetSize(start + chunk);
            SerializeElements(ar, m_data.data() + start, chunk);
            remaining -= static_cast<DWORD_PTR>(chunk);
        }
    }

private:
    // nIndex as a position in the array; throws CInvalidArgException when outside it.
    std::size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<std::size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy { -1 };
};
