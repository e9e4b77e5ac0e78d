#include "platform/com/VariantT.h"

#include <limits>

const _variant_t vtMissing(static_cast<LONG>(DISP_E_PARAMNOTFOUND), VT_ERROR);

namespace {

void Check(HRESULT hr)
{
    if (FAILED(hr))
        _com_issue_error(hr);
}

BSTR AllocUpToZero(const OLECHAR* s)
{
    if (!s)
        return nullptr;
    BSTR b = SysAllocString(s);
    if (!b)
        _com_issue_error(E_OUTOFMEMORY);
    return b;
}

} // namespace

_variant_t::_variant_t(const VARIANT& src)
{
    VariantInit(this);
    Check(VariantCopy(this, &src));
}

_variant_t::_variant_t(const VARIANT* src)
{
    VariantInit(this);
    if (!src)
        _com_issue_error(E_POINTER);
    Check(VariantCopy(this, src));
}

_variant_t::_variant_t(const _variant_t& src)
    : _variant_t(static_cast<const VARIANT&>(src))
{
}

_variant_t::_variant_t(_variant_t&& src) noexcept
    : VARIANT(src)
{
    VariantInit(&src);
}

_variant_t::_variant_t(VARIANT& src, bool fCopy)
{
    VariantInit(this);
    if (fCopy) {
        Check(VariantCopy(this, &src));
    } else {
        static_cast<VARIANT&>(*this) = src;
        VariantInit(&src);
    }
}

_variant_t::_variant_t(short sSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc != VT_I2 && vtSrc != VT_BOOL)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    iVal = vtSrc == VT_BOOL ? (sSrc ? VARIANT_TRUE : VARIANT_FALSE) : sSrc;
}

_variant_t::_variant_t(LONG lSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc != VT_I4 && vtSrc != VT_ERROR && vtSrc != VT_BOOL)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    else
        lVal = lSrc;
}

_variant_t::_variant_t(long lSrc)
{
    VariantInit(this);
    if (lSrc >= std::numeric_limits<LONG>::min() && lSrc <= std::numeric_limits<LONG>::max()) {
        vt = VT_I4;
        lVal = static_cast<LONG>(lSrc);
    } else {
        vt = VT_I8;
        llVal = lSrc;
    }
}

_variant_t::_variant_t(float fltSrc) noexcept
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

_variant_t::_variant_t(double dblSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc != VT_R8 && vtSrc != VT_DATE)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    dblVal = dblSrc;
}

_variant_t::_variant_t(const CY& cySrc) noexcept
{
    VariantInit(this);
    vt = VT_CY;
    cyVal = cySrc;
}

_variant_t::_variant_t(const _bstr_t& bstrSrc)
{
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = bstrSrc.copy();
}

_variant_t::_variant_t(const OLECHAR* pSrc)
{
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = AllocUpToZero(pSrc);
}

_variant_t::_variant_t(const char* pSrc)
{
    VariantInit(this);
    SetString(pSrc);
}

_variant_t::_variant_t(IDispatch* pSrc, bool fAddRef) noexcept
{
    VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = pSrc;
    if (pSrc && fAddRef)
        reinterpret_cast<IUnknown*>(pSrc)->AddRef();
}

_variant_t::_variant_t(IUnknown* pSrc, bool fAddRef) noexcept
{
    VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = pSrc;
    if (pSrc && fAddRef)
        pSrc->AddRef();
}

_variant_t::_variant_t(bool boolSrc) noexcept
{
    VariantInit(this);
    vt = VT_BOOL;
    boolVal = boolSrc ? VARIANT_TRUE : VARIANT_FALSE;
}

_variant_t::_variant_t(const DECIMAL& decSrc) noexcept
{
    decVal = decSrc;
    vt = VT_DECIMAL;
}

_variant_t::_variant_t(BYTE bSrc) noexcept
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = bSrc;
}

_variant_t::_variant_t(char cSrc) noexcept
{
    VariantInit(this);
    vt = VT_I1;
    cVal = cSrc;
}

_variant_t::_variant_t(USHORT usSrc) noexcept
{
    VariantInit(this);
    vt = VT_UI2;
    uiVal = usSrc;
}

_variant_t::_variant_t(ULONG ulSrc) noexcept
{
    VariantInit(this);
    vt = VT_UI4;
    ulVal = ulSrc;
}

_variant_t::_variant_t(unsigned long ullSrc) noexcept
{
    VariantInit(this);
    vt = VT_UI8;
    ullVal = ullSrc;
}

_variant_t& _variant_t::operator=(const VARIANT& src)
{
    Check(VariantCopy(this, &src));
    return *this;
}

_variant_t& _variant_t::operator=(const _variant_t& src) { return *this = static_cast<const VARIANT&>(src); }

_variant_t& _variant_t::operator=(_variant_t&& src) noexcept
{
    if (this != &src) {
        VariantClear(this);
        static_cast<VARIANT&>(*this) = src;
        VariantInit(&src);
    }
    return *this;
}

_variant_t& _variant_t::operator=(const _bstr_t& src) { return *this = _variant_t(src); }
_variant_t& _variant_t::operator=(const OLECHAR* src) { return *this = _variant_t(src); }
_variant_t& _variant_t::operator=(const char* src) { return *this = _variant_t(src); }
_variant_t& _variant_t::operator=(LONG src) { return *this = _variant_t(src); }
_variant_t& _variant_t::operator=(short src) { return *this = _variant_t(src); }
_variant_t& _variant_t::operator=(double src) { return *this = _variant_t(src); }
_variant_t& _variant_t::operator=(bool src) { return *this = _variant_t(src); }
_variant_t& _variant_t::operator=(IDispatch* src) { return *this = _variant_t(src); }
_variant_t& _variant_t::operator=(IUnknown* src) { return *this = _variant_t(src); }

template<class T> T _variant_t::As(VARTYPE type, T VARIANT::*member) const
{
    if (vt == type)
        return this->*member;
    _variant_t converted;
    converted.ChangeType(type, this);
    return converted.*member;
}

_variant_t::operator short() const { return As(VT_I2, &VARIANT::iVal); }
_variant_t::operator LONG() const { return As(VT_I4, &VARIANT::lVal); }
_variant_t::operator long() const { return As(VT_I8, &VARIANT::llVal); }
_variant_t::operator float() const { return As(VT_R4, &VARIANT::fltVal); }
_variant_t::operator double() const { return As(VT_R8, &VARIANT::dblVal); }
_variant_t::operator CY() const { return As(VT_CY, &VARIANT::cyVal); }
_variant_t::operator bool() const { return As(VT_BOOL, &VARIANT::boolVal) != VARIANT_FALSE; }
_variant_t::operator BYTE() const { return As(VT_UI1, &VARIANT::bVal); }
_variant_t::operator ULONG() const { return As(VT_UI4, &VARIANT::ulVal); }
_variant_t::operator unsigned long() const { return As(VT_UI8, &VARIANT::ullVal); }
_variant_t::operator _bstr_t() const { return _bstr_t(*this); }

_variant_t::operator DECIMAL() const
{
    if (vt == VT_DECIMAL)
        return decVal;
    _variant_t converted;
    converted.ChangeType(VT_DECIMAL, this);
    return converted.decVal;
}

_variant_t::operator IDispatch*() const
{
    if (vt == VT_EMPTY)
        return nullptr;
    _variant_t converted;
    converted.ChangeType(VT_DISPATCH, this);
    return static_cast<IDispatch*>(converted.Detach().pdispVal);
}

_variant_t::operator IUnknown*() const
{
    if (vt == VT_EMPTY)
        return nullptr;
    _variant_t converted;
    converted.ChangeType(VT_UNKNOWN, this);
    return converted.Detach().punkVal;
}

bool _variant_t::operator==(const VARIANT& other) const { return platform::SameVariant(*this, other); }

void _variant_t::ChangeType(VARTYPE vartype, const _variant_t* pSrc)
{
    Check(VariantChangeType(this, pSrc ? pSrc : this, 0, vartype));
}

void _variant_t::Clear() { Check(VariantClear(this)); }

void _variant_t::Attach(VARIANT& varSrc)
{
    Clear();
    static_cast<VARIANT&>(*this) = varSrc;
    VariantInit(&varSrc);
}

VARIANT _variant_t::Detach() noexcept
{
    VARIANT out = *this;
    VariantInit(this);
    return out;
}

void _variant_t::SetString(const char* pSrc)
{
    _bstr_t text(pSrc);
    VariantClear(this);
    vt = VT_BSTR;
    bstrVal = text.Detach();
}
