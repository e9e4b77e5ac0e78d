#pragma once
// How the collection templates compare, hash and archive their elements. A program may overload these
// for its own element types, as the class library allows.

#include <cstring>
#include <type_traits>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CNotSupportedException.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

namespace afx {

template<typename TYPE>
concept ArchivedByOperators = requires(CArchive& ar, TYPE& element)
{
    ar << element;
    ar >> element;
};

} // namespace afx

// Writes or reads nCount elements: types with archive operators through them, other plain data as
// their bytes. Any other type has no archive form: archiving it throws CNotSupportedException.
template<typename TYPE> void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0)
        return;
    if constexpr (afx::ArchivedByOperators<TYPE>) {
        for (INT_PTR i = 0; i < nCount; ++i) {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    } else if constexpr (std::is_trivially_copyable_v<TYPE>) {
        const auto bytes = static_cast<UINT>(static_cast<std::size_t>(nCount) * sizeof(TYPE));
        if (ar.IsStoring()) {
            ar.Write(pElements, bytes);
        } else if (ar.Read(pElements, bytes) != bytes) {
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
        }
    } else {
        AfxThrowNotSupportedException();
    }
}

// Strings in the archive's string form.
inline void SerializeElements(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

// Objects through WriteObject and ReadObject.
inline void SerializeElements(CArchive& ar, CObject** pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

// True when the two elements are equal (for Find and map look-ups).
template<typename TYPE, typename ARG_TYPE> BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// The hash of a map key: integers and pointers shifted right by 4 bits, texts by the multiply-by-33 rule.
template<typename ARG_KEY> UINT HashKey(ARG_KEY key)
{
    if constexpr (std::is_pointer_v<ARG_KEY>)
        return static_cast<UINT>(reinterpret_cast<DWORD_PTR>(key) >> 4);
    else
        return static_cast<UINT>(static_cast<DWORD_PTR>(key) >> 4);
}

// Texts: hash = hash * 33 + byte (bytes taken signed, as the original's char was); null hashes to 0.
inline UINT HashKey(LPCTSTR key)
{
    UINT hash = 0;
    for (; key && *key; ++key)
        hash = (hash << 5) + hash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*key)));
    return hash;
}

// A CString key hashes as its text.
inline UINT HashKey(const CString& key) { return HashKey(key.GetString()); }

namespace afx {

// Collections read from an archive grow by at most this many elements before the data for them has
// been read, so a false count cannot make them allocate more than the archive holds.
constexpr INT_PTR kSerializeChunk = 4096;

} // namespace afx
