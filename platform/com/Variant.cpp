// VARIANT lifetime: initialising, clearing and copying. Conversions are in VariantConvert.cpp.

#include "platform/com/OleAuto.h"

#include <cstring>

namespace {

bool IsKnownBaseType(VARTYPE base)
{
    switch (base) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_VARIANT:
    case VT_UNKNOWN:
    case VT_DECIMAL:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
        return true;
    default:
        return false;
    }
}

// A plain value (not by reference, not an array) must not be VT_VARIANT.
bool IsValidType(VARTYPE vt)
{
    const VARTYPE base = vt & VT_TYPEMASK;
    if (vt & ~(VT_TYPEMASK | VT_BYREF | VT_ARRAY))
        return false;
    if (!IsKnownBaseType(base))
        return false;
    if (base == VT_VARIANT && !(vt & (VT_BYREF | VT_ARRAY)))
        return false;
    if ((vt & VT_ARRAY) && (base == VT_EMPTY || base == VT_NULL))
        return false;
    return true;
}

} // namespace

void VariantInit(VARIANTARG* pvarg)
{
    if (!pvarg)
        return;
    pvarg->vt = VT_EMPTY;
    pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
    pvarg->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* pvarg)
{
    if (!pvarg)
        return E_INVALIDARG;
    // A DECIMAL overlays the type word; its type is set last, so vt is still meaningful here.
    if (!IsValidType(pvarg->vt))
        return DISP_E_BADVARTYPE;
    if (!(pvarg->vt & VT_BYREF)) {
        if (pvarg->vt & VT_ARRAY) {
            const HRESULT hr = SafeArrayDestroy(pvarg->parray);
            if (FAILED(hr))
                return hr;
        } else if (pvarg->vt == VT_BSTR) {
            SysFreeString(pvarg->bstrVal);
        } else if (pvarg->vt == VT_UNKNOWN || pvarg->vt == VT_DISPATCH) {
            if (pvarg->punkVal)
                pvarg->punkVal->Release();
        }
    }
    VariantInit(pvarg);
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc)
{
    if (!pvargDest || !pvargSrc)
        return E_INVALIDARG;
    if (pvargDest == pvargSrc)
        return S_OK;
    if (!IsValidType(pvargSrc->vt))
        return DISP_E_BADVARTYPE;
    VARIANT copy = *pvargSrc;
    if (!(copy.vt & VT_BYREF)) {
        if (copy.vt & VT_ARRAY) {
            if (pvargSrc->parray) {
                const HRESULT hr = SafeArrayCopy(pvargSrc->parray, &copy.parray);
                if (FAILED(hr))
                    return hr;
            }
        } else if (copy.vt == VT_BSTR) {
            if (pvargSrc->bstrVal) {
                copy.bstrVal = SysAllocStringByteLen(
                    reinterpret_cast<LPCSTR>(pvargSrc->bstrVal), SysStringByteLen(pvargSrc->bstrVal));
                if (!copy.bstrVal)
                    return E_OUTOFMEMORY;
            }
        } else if (copy.vt == VT_UNKNOWN || copy.vt == VT_DISPATCH) {
            if (copy.punkVal)
                copy.punkVal->AddRef();
        }
    }
    const HRESULT hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *pvargDest = copy;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANTARG* pvargSrc)
{
    if (!pvarDest || !pvargSrc)
        return E_INVALIDARG;
    if (!(pvargSrc->vt & VT_BYREF))
        return VariantCopy(pvarDest, pvargSrc);
    if (!IsValidType(pvargSrc->vt) || !pvargSrc->byref)
        return pvargSrc->byref ? DISP_E_BADVARTYPE : E_INVALIDARG;

    VARIANT value;
    VariantInit(&value);
    const VARTYPE base = pvargSrc->vt & ~VT_BYREF;
    if (base == VT_VARIANT) {
        // A reference to a VARIANT copies that VARIANT (one level of indirection only).
        const VARIANT* inner = pvargSrc->pvarVal;
        if (inner->vt == (VT_VARIANT | VT_BYREF))
            return E_INVALIDARG;
        const HRESULT hr = VariantCopyInd(&value, inner);
        if (FAILED(hr))
            return hr;
    } else {
        value.vt = base;
        switch (base) {
        case VT_I1:
        case VT_UI1:
            value.bVal = *pvargSrc->pbVal;
            break;
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            value.iVal = *pvargSrc->piVal;
            break;
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_ERROR:
            value.lVal = *pvargSrc->plVal;
            break;
        case VT_I8:
        case VT_UI8:
        case VT_CY:
            value.llVal = *pvargSrc->pllVal;
            break;
        case VT_R4:
            value.fltVal = *pvargSrc->pfltVal;
            break;
        case VT_R8:
        case VT_DATE:
            value.dblVal = *pvargSrc->pdblVal;
            break;
        case VT_DECIMAL:
            value.decVal = *pvargSrc->pdecVal;
            value.vt = VT_DECIMAL;
            break;
        case VT_BSTR:
        case VT_UNKNOWN:
        case VT_DISPATCH: {
            VARIANT view;
            VariantInit(&view);
            view.vt = base;
            view.byref = *static_cast<void**>(pvargSrc->byref);
            const HRESULT hr = VariantCopy(&value, &view);
            if (FAILED(hr))
                return hr;
            break;
        }
        default:
            if (base & VT_ARRAY) {
                VARIANT view;
                VariantInit(&view);
                view.vt = base;
                view.parray = *pvargSrc->pparray;
                const HRESULT hr = VariantCopy(&value, &view);
                if (FAILED(hr))
                    return hr;
                break;
            }
            return DISP_E_BADVARTYPE;
        }
    }
    const HRESULT hr = VariantClear(pvarDest);
    if (FAILED(hr)) {
        VariantClear(&value);
        return hr;
    }
    *pvarDest = value;
    return S_OK;
}

// Types that share a storage width compare through the same member: the bits are what count.
bool platform::SameVariant(const VARIANT& a, const VARIANT& b) noexcept
{
    if (a.vt != b.vt)
        return false;
    switch (a.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BSTR: {
        const UINT bytes = SysStringByteLen(a.bstrVal);
        return bytes == SysStringByteLen(b.bstrVal)
            && (bytes == 0 || std::memcmp(a.bstrVal, b.bstrVal, bytes) == 0);
    }
    case VT_DECIMAL:
        return a.decVal.scale == b.decVal.scale && a.decVal.sign == b.decVal.sign
            && a.decVal.Hi32 == b.decVal.Hi32 && a.decVal.Lo64 == b.decVal.Lo64;
    case VT_R4:
        return a.fltVal == b.fltVal;
    case VT_R8:
    case VT_DATE:
        return a.dblVal == b.dblVal;
    case VT_I1:
    case VT_UI1:
        return a.bVal == b.bVal;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return a.iVal == b.iVal;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR:
        return a.lVal == b.lVal;
    default:
        return a.llVal == b.llVal;
    }
}
