// SAFEARRAY storage: one block holding the element type, the descriptor with its bounds, and a second
// block for the data. Elements are laid out with the first (leftmost) index varying fastest.

#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/com/OleAuto.h"

namespace {

// The element type lives in front of the descriptor, where callers never look.
struct ArrayHeader {
    VARTYPE vt;
    USHORT padding[7];
};
static_assert(sizeof(ArrayHeader) % alignof(SAFEARRAY) == 0);

ArrayHeader* HeaderOf(SAFEARRAY* psa) { return reinterpret_cast<ArrayHeader*>(psa) - 1; }

ULONG ElementSize(VARTYPE vt)
{
    switch (vt) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return 8;
    case VT_DECIMAL:
        return sizeof(DECIMAL);
    case VT_BSTR:
        return sizeof(BSTR);
    case VT_UNKNOWN:
    case VT_DISPATCH:
        return sizeof(IUnknown*);
    case VT_VARIANT:
        return sizeof(VARIANT);
    default:
        return 0;
    }
}

USHORT FeaturesOf(VARTYPE vt)
{
    switch (vt) {
    case VT_BSTR:
        return FADF_BSTR | FADF_HAVEVARTYPE;
    case VT_UNKNOWN:
        return FADF_UNKNOWN | FADF_HAVEVARTYPE;
    case VT_DISPATCH:
        return FADF_DISPATCH | FADF_HAVEVARTYPE;
    case VT_VARIANT:
        return FADF_VARIANT | FADF_HAVEVARTYPE;
    default:
        return FADF_HAVEVARTYPE;
    }
}

// Bounds of dimension d (1 = leftmost); the descriptor keeps them rightmost first.
SAFEARRAYBOUND& BoundOf(SAFEARRAY* psa, UINT d) { return psa->rgsabound[psa->cDims - d]; }

ULONGLONG ElementCount(SAFEARRAY* psa)
{
    ULONGLONG count = 1;
    for (UINT i = 0; i < psa->cDims; ++i)
        count *= psa->rgsabound[i].cElements;
    return count;
}

bool OffsetOf(SAFEARRAY* psa, const LONG* indices, ULONGLONG& offset)
{
    offset = 0;
    ULONGLONG stride = 1;
    for (UINT d = 1; d <= psa->cDims; ++d) {
        const SAFEARRAYBOUND& b = BoundOf(psa, d);
        const long long i = static_cast<long long>(indices[d - 1]) - b.lLbound;
        if (i < 0 || i >= static_cast<long long>(b.cElements))
            return false;
        offset += static_cast<ULONGLONG>(i) * stride;
        stride *= b.cElements;
    }
    offset *= psa->cbElements;
    return true;
}

// Frees what each element owns.
void ReleaseElements(SAFEARRAY* psa)
{
    if (!psa->pvData)
        return;
    const ULONGLONG n = ElementCount(psa);
    if (psa->fFeatures & FADF_BSTR) {
        for (ULONGLONG i = 0; i < n; ++i)
            SysFreeString(static_cast<BSTR*>(psa->pvData)[i]);
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        for (ULONGLONG i = 0; i < n; ++i)
            if (IUnknown* p = static_cast<IUnknown**>(psa->pvData)[i])
                p->Release();
    } else if (psa->fFeatures & FADF_VARIANT) {
        for (ULONGLONG i = 0; i < n; ++i)
            VariantClear(static_cast<VARIANT*>(psa->pvData) + i);
    }
}

// Copies one element value from src into dst, taking what an element owns.
HRESULT CopyElement(USHORT features, const void* src, void* dst)
{
    if (features & FADF_BSTR) {
        const BSTR s = *static_cast<const BSTR*>(src);
        BSTR copy = nullptr;
        if (s && !(copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(s), SysStringByteLen(s))))
            return E_OUTOFMEMORY;
        *static_cast<BSTR*>(dst) = copy;
    } else if (features & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* p = *static_cast<IUnknown* const*>(src);
        if (p)
            p->AddRef();
        *static_cast<IUnknown**>(dst) = p;
    } else if (features & FADF_VARIANT) {
        VariantInit(static_cast<VARIANT*>(dst));
        return VariantCopy(static_cast<VARIANT*>(dst), static_cast<const VARIANT*>(src));
    }
    return S_OK;
}

} // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound)
{
    const ULONG size = ElementSize(vt);
    if (!size || cDims == 0 || cDims > 60 || !rgsabound)
        return nullptr;
    ULONGLONG count = 1;
    for (UINT i = 0; i < cDims; ++i) {
        count *= rgsabound[i].cElements;
        if (count > (1ull << 31) / size)
            return nullptr;
    }
    const std::size_t descriptor = sizeof(ArrayHeader) + sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
    auto* header = static_cast<ArrayHeader*>(std::calloc(1, descriptor));
    if (!header)
        return nullptr;
    header->vt = vt;
    auto* psa = reinterpret_cast<SAFEARRAY*>(header + 1);
    psa->cDims = static_cast<USHORT>(cDims);
    psa->fFeatures = FeaturesOf(vt);
    psa->cbElements = size;
    for (UINT d = 1; d <= cDims; ++d)
        BoundOf(psa, d) = rgsabound[d - 1];
    psa->pvData = std::calloc(count ? count : 1, size);
    if (!psa->pvData) {
        std::free(header);
        return nullptr;
    }
    return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements)
{
    SAFEARRAYBOUND bound { cElements, lLbound };
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa)
{
    if (!psa)
        return S_OK;
    if (psa->cLocks > 0)
        return DISP_E_ARRAYISLOCKED;
    ReleaseElements(psa);
    std::free(psa->pvData);
    std::free(HeaderOf(psa));
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }
UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa ? psa->cbElements : 0; }

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt)
{
    if (!psa || !pvt)
        return E_INVALIDARG;
    *pvt = HeaderOf(psa)->vt;
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound)
{
    if (!psa || !plLbound)
        return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    *plLbound = BoundOf(psa, nDim).lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound)
{
    if (!psa || !plUbound)
        return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = BoundOf(psa, nDim);
    *plUbound = static_cast<LONG>(static_cast<long long>(b.lLbound) + b.cElements - 1);
    return S_OK;
}

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData)
{
    if (!psa || !rgIndices || !ppvData)
        return E_INVALIDARG;
    ULONGLONG offset = 0;
    if (!OffsetOf(psa, rgIndices, offset))
        return DISP_E_BADINDEX;
    *ppvData = static_cast<char*>(psa->pvData) + offset;
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    if (!psa || !rgIndices || !pv)
        return E_INVALIDARG;
    void* element = nullptr;
    const HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
    if (FAILED(hr))
        return hr;
    if (psa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT))
        return CopyElement(psa->fFeatures, element, pv);
    std::memcpy(pv, element, psa->cbElements);
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    if (!psa || !rgIndices)
        return E_INVALIDARG;
    void* element = nullptr;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
    if (FAILED(hr))
        return hr;
    if (psa->fFeatures & FADF_BSTR) {
        // The element is given as the BSTR itself.
        BSTR source = static_cast<BSTR>(pv);
        BSTR copy = nullptr;
        if (source && !(copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source), SysStringByteLen(source))))
            return E_OUTOFMEMORY;
        SysFreeString(*static_cast<BSTR*>(element));
        *static_cast<BSTR*>(element) = copy;
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        auto* p = static_cast<IUnknown*>(pv);
        if (p)
            p->AddRef();
        IUnknown*& slot = *static_cast<IUnknown**>(element);
        if (slot)
            slot->Release();
        slot = p;
    } else if (psa->fFeatures & FADF_VARIANT) {
        if (!pv)
            return E_INVALIDARG;
        hr = VariantCopy(static_cast<VARIANT*>(element), static_cast<const VARIANT*>(pv));
        if (FAILED(hr))
            return hr;
    } else {
        if (!pv)
            return E_INVALIDARG;
        std::memcpy(element, pv, psa->cbElements);
    }
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa)
{
    if (!psa)
        return E_INVALIDARG;
    ++psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa)
{
    if (!psa)
        return E_INVALIDARG;
    if (psa->cLocks == 0)
        return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData)
{
    if (!psa || !ppvData)
        return E_INVALIDARG;
    ++psa->cLocks;
    *ppvData = psa->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut)
{
    if (!ppsaOut)
        return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa)
        return S_OK;
    SAFEARRAYBOUND bounds[64];
    for (UINT d = 1; d <= psa->cDims; ++d)
        bounds[d - 1] = BoundOf(psa, d);
    SAFEARRAY* copy = SafeArrayCreate(HeaderOf(psa)->vt, psa->cDims, bounds);
    if (!copy)
        return E_OUTOFMEMORY;
    const ULONGLONG n = ElementCount(psa);
    if (psa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT)) {
        for (ULONGLONG i = 0; i < n; ++i) {
            const HRESULT hr = CopyElement(psa->fFeatures, static_cast<char*>(psa->pvData) + i * psa->cbElements,
                static_cast<char*>(copy->pvData) + i * psa->cbElements);
            if (FAILED(hr)) {
                SafeArrayDestroy(copy);
                return hr;
            }
        }
    } else {
        std::memcpy(copy->pvData, psa->pvData, n * psa->cbElements);
    }
    *ppsaOut = copy;
    return S_OK;
}
