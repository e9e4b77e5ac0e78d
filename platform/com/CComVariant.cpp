#include "platform/com/CComVariant.h"

#include <limits>

#include "platform/base/CodePage.h"

void CComVariant::SetError(HRESULT hr) noexcept
{
    VariantClear(this);
    vt = VT_ERROR;
    scode = hr;
}

// The copy is made before the old value goes, so assigning a variant its own text is safe.
CComVariant& CComVariant::TakeString(BSTR copy, bool requested) noexcept
{
    VariantClear(this);
    vt = VT_BSTR;
    bstrVal = copy;
    if (requested && !copy)
        SetError(E_OUTOFMEMORY);
    return *this;
}

CComVariant::CComVariant(const VARIANT& varSrc)
{
    VariantInit(this);
    const HRESULT hr = VariantCopy(this, &varSrc);
    if (FAILED(hr))
        SetError(hr);
}

CComVariant::CComVariant(const CComVariant& varSrc)
    : CComVariant(static_cast<const VARIANT&>(varSrc))
{
}

CComVariant::CComVariant(CComVariant&& varSrc) noexcept
    : VARIANT(varSrc)
{
    VariantInit(&varSrc);
}

CComVariant::CComVariant(LPCOLESTR lpszSrc)
{
    VariantInit(this);
    *this = lpszSrc;
}

CComVariant::CComVariant(LPCSTR lpszSrc)
{
    VariantInit(this);
    *this = lpszSrc;
}

CComVariant::CComVariant(const CComBSTR& bstrSrc)
{
    VariantInit(this);
    *this = bstrSrc;
}

CComVariant::CComVariant(bool bSrc) noexcept
{
    VariantInit(this);
    vt = VT_BOOL;
    boolVal = bSrc ? VARIANT_TRUE : VARIANT_FALSE;
}

CComVariant::CComVariant(int nSrc, VARTYPE vtSrc) noexcept
{
    VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSrc == VT_ERROR || vtSrc == VT_INT || vtSrc == VT_I4) {
        vt = vtSrc;
        lVal = nSrc;
    } else {
        SetError(E_INVALIDARG);
    }
}

CComVariant::CComVariant(long nSrc) noexcept
{
    VariantInit(this);
    if (nSrc >= std::numeric_limits<LONG>::min() && nSrc <= std::numeric_limits<LONG>::max()) {
        vt = VT_I4;
        lVal = static_cast<LONG>(nSrc);
    } else {
        vt = VT_I8;
        llVal = nSrc;
    }
}

CComVariant::CComVariant(BYTE nSrc) noexcept
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

CComVariant::CComVariant(char cSrc) noexcept
{
    VariantInit(this);
    vt = VT_I1;
    cVal = cSrc;
}

CComVariant::CComVariant(short nSrc, VARTYPE vtSrc) noexcept
{
    VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

CComVariant::CComVariant(USHORT nSrc) noexcept
{
    VariantInit(this);
    vt = VT_UI2;
    uiVal = nSrc;
}

CComVariant::CComVariant(ULONG nSrc, VARTYPE vtSrc) noexcept
{
    VariantInit(this);
    vt = vtSrc == VT_UINT ? VT_UINT : VT_UI4;
    ulVal = nSrc;
}

CComVariant::CComVariant(unsigned long nSrc) noexcept
{
    VariantInit(this);
    vt = VT_UI8;
    ullVal = nSrc;
}

CComVariant::CComVariant(float fltSrc) noexcept
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

CComVariant::CComVariant(double dblSrc, VARTYPE vtSrc) noexcept
{
    VariantInit(this);
    vt = vtSrc == VT_DATE ? VT_DATE : VT_R8;
    dblVal = dblSrc;
}

CComVariant::CComVariant(CY cySrc) noexcept
{
    VariantInit(this);
    vt = VT_CY;
    cyVal = cySrc;
}

CComVariant::CComVariant(IDispatch* pSrc) noexcept
{
    VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = pSrc;
    if (pSrc)
        reinterpret_cast<IUnknown*>(pSrc)->AddRef();
}

CComVariant::CComVariant(IUnknown* pSrc) noexcept
{
    VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = pSrc;
    if (pSrc)
        pSrc->AddRef();
}

CComVariant& CComVariant::operator=(const CComVariant& varSrc) { return *this = static_cast<const VARIANT&>(varSrc); }

CComVariant& CComVariant::operator=(CComVariant&& varSrc) noexcept
{
    if (this != &varSrc) {
        VariantClear(this);
        static_cast<VARIANT&>(*this) = varSrc;
        VariantInit(&varSrc);
    }
    return *this;
}

CComVariant& CComVariant::operator=(const VARIANT& varSrc)
{
    if (this != &varSrc) {
        const HRESULT hr = VariantCopy(this, &varSrc);
        if (FAILED(hr))
            SetError(hr);
    }
    return *this;
}

CComVariant& CComVariant::operator=(LPCOLESTR lpszSrc)
{
    return TakeString(SysAllocString(lpszSrc), lpszSrc != nullptr);
}

CComVariant& CComVariant::operator=(LPCSTR lpszSrc)
{
    BSTR copy = nullptr;
    if (lpszSrc) {
        const std::u16string wide = platform::Utf8ToUtf16(lpszSrc);
        copy = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
    return TakeString(copy, lpszSrc != nullptr);
}

CComVariant& CComVariant::operator=(const CComBSTR& bstrSrc)
{
    return TakeString(bstrSrc.Copy(), bstrSrc.m_str != nullptr);
}

CComVariant& CComVariant::operator=(bool bSrc) { return *this = CComVariant(bSrc); }
CComVariant& CComVariant::operator=(int nSrc) { return *this = CComVariant(nSrc); }
CComVariant& CComVariant::operator=(long nSrc) { return *this = CComVariant(nSrc); }
CComVariant& CComVariant::operator=(short nSrc) { return *this = CComVariant(nSrc); }
CComVariant& CComVariant::operator=(double dblSrc) { return *this = CComVariant(dblSrc); }
CComVariant& CComVariant::operator=(IDispatch* pSrc) { return *this = CComVariant(pSrc); }
CComVariant& CComVariant::operator=(IUnknown* pSrc) { return *this = CComVariant(pSrc); }

bool CComVariant::operator==(const VARIANT& other) const noexcept { return platform::SameVariant(*this, other); }

HRESULT CComVariant::CopyTo(BSTR* pstrDest) const
{
    if (!pstrDest)
        return E_POINTER;
    if (vt != VT_BSTR)
        return DISP_E_TYPEMISMATCH;
    *pstrDest = bstrVal ? SysAllocStringByteLen(reinterpret_cast<LPCSTR>(bstrVal), SysStringByteLen(bstrVal)) : nullptr;
    return (bstrVal && !*pstrDest) ? E_OUTOFMEMORY : S_OK;
}

HRESULT CComVariant::Attach(VARIANT* pSrc)
{
    if (!pSrc)
        return E_INVALIDARG;
    const HRESULT hr = VariantClear(this);
    if (FAILED(hr))
        return hr;
    static_cast<VARIANT&>(*this) = *pSrc;
    VariantInit(pSrc);
    return S_OK;
}

HRESULT CComVariant::Detach(VARIANT* pDest)
{
    if (!pDest)
        return E_POINTER;
    const HRESULT hr = VariantClear(pDest);
    if (FAILED(hr))
        return hr;
    *pDest = *this;
    VariantInit(this);
    return S_OK;
}

HRESULT CComVariant::ChangeType(VARTYPE vtNew, const VARIANT* pSrc)
{
    return VariantChangeType(this, pSrc ? pSrc : this, 0, vtNew);
}
