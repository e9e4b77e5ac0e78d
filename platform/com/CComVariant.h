#pragma once
// CComVariant: a VARIANT that owns its value. Failures do not throw: the value becomes VT_ERROR
// holding the failure. Wide texts it is given are read up to their zero.

#include "platform/com/CComBSTR.h"

class CComVariant : public VARIANT {
public:
    CComVariant() noexcept { VariantInit(this); }
    CComVariant(const VARIANT& varSrc);
    CComVariant(const CComVariant& varSrc);
    CComVariant(CComVariant&& varSrc) noexcept;
    CComVariant(LPCOLESTR lpszSrc);
    // From UTF-8 text.
    CComVariant(LPCSTR lpszSrc);
    CComVariant(const CComBSTR& bstrSrc);
    CComVariant(bool bSrc) noexcept;
    // VT_I4, or VT_ERROR / VT_BOOL / VT_INT when vtSrc says so.
    CComVariant(int nSrc, VARTYPE vtSrc = VT_I4) noexcept;
    // VT_I4 when the value fits 32 bits (the original's long), else VT_I8.
    CComVariant(long nSrc) noexcept;
    CComVariant(BYTE nSrc) noexcept;
    CComVariant(char cSrc) noexcept;
    // VT_I2, or VT_BOOL when vtSrc says so.
    CComVariant(short nSrc, VARTYPE vtSrc = VT_I2) noexcept;
    CComVariant(USHORT nSrc) noexcept;
    CComVariant(ULONG nSrc, VARTYPE vtSrc = VT_UI4) noexcept;
    CComVariant(unsigned long nSrc) noexcept;
    CComVariant(float fltSrc) noexcept;
    // VT_R8, or VT_DATE when vtSrc says so.
    CComVariant(double dblSrc, VARTYPE vtSrc = VT_R8) noexcept;
    CComVariant(CY cySrc) noexcept;
    CComVariant(IDispatch* pSrc) noexcept;
    CComVariant(IUnknown* pSrc) noexcept;
    ~CComVariant() { VariantClear(this); }

    CComVariant& operator=(const CComVariant& varSrc);
    CComVariant& operator=(CComVariant&& varSrc) noexcept;
    CComVariant& operator=(const VARIANT& varSrc);
    CComVariant& operator=(LPCOLESTR lpszSrc);
    CComVariant& operator=(LPCSTR lpszSrc);
    CComVariant& operator=(const CComBSTR& bstrSrc);
    CComVariant& operator=(bool bSrc);
    CComVariant& operator=(int nSrc);
    CComVariant& operator=(long nSrc);
    CComVariant& operator=(short nSrc);
    CComVariant& operator=(double dblSrc);
    CComVariant& operator=(IDispatch* pSrc);
    CComVariant& operator=(IUnknown* pSrc);

    // Same type and equal value.
    bool operator==(const VARIANT& varSrc) const noexcept;
    bool operator!=(const VARIANT& varSrc) const noexcept { return !(*this == varSrc); }

    HRESULT Clear() { return VariantClear(this); }
    HRESULT Copy(const VARIANT* pSrc) { return VariantCopy(this, pSrc); }
    // A copy of the text value for the caller; DISP_E_TYPEMISMATCH when this is not VT_BSTR.
    HRESULT CopyTo(BSTR* pstrDest) const;
    // Takes over pSrc's value (pSrc becomes VT_EMPTY).
    HRESULT Attach(VARIANT* pSrc);
    // Moves the value into pDest (cleared first); this becomes VT_EMPTY.
    HRESULT Detach(VARIANT* pDest);
    // Converts pSrc (or this) to vtNew in place.
    HRESULT ChangeType(VARTYPE vtNew, const VARIANT* pSrc = nullptr);

private:
    void SetError(HRESULT hr) noexcept;
    // Replaces the value by the text copy; an error value when a requested copy could not be made.
    CComVariant& TakeString(BSTR copy, bool requested) noexcept;
};
