#pragma once
// _variant_t: a VARIANT that owns its value, with the typed constructors and conversions of the
// compiler's COM support. Failed conversions throw _com_error.

#include "platform/com/BstrT.h"

class _variant_t : public VARIANT {
public:
    _variant_t() noexcept { VariantInit(this); }
    _variant_t(const VARIANT& src);
    _variant_t(const VARIANT* src);
    _variant_t(const _variant_t& src);
    _variant_t(_variant_t&& src) noexcept;
    // A VARIANT taken over (fCopy false) or copied.
    _variant_t(VARIANT& src, bool fCopy);
    // VT_I2, or VT_BOOL when vtSrc says so.
    _variant_t(short sSrc, VARTYPE vtSrc = VT_I2);
    // VT_I4, or VT_ERROR / VT_BOOL when vtSrc says so.
    _variant_t(LONG lSrc, VARTYPE vtSrc = VT_I4);
    // VT_I4 when the value fits 32 bits (the original's long), else VT_I8.
    _variant_t(long lSrc);
    _variant_t(float fltSrc) noexcept;
    // VT_R8, or VT_DATE when vtSrc says so.
    _variant_t(double dblSrc, VARTYPE vtSrc = VT_R8);
    _variant_t(const CY& cySrc) noexcept;
    _variant_t(const _bstr_t& bstrSrc);
    // A zero-terminated wide text.
    _variant_t(const OLECHAR* pSrc);
    // UTF-8 text.
    _variant_t(const char* pSrc);
    // Holds the interface with a reference (fAddRef) or takes over the caller's.
    _variant_t(IDispatch* pSrc, bool fAddRef = true) noexcept;
    _variant_t(IUnknown* pSrc, bool fAddRef = true) noexcept;
    _variant_t(bool boolSrc) noexcept;
    _variant_t(const DECIMAL& decSrc) noexcept;
    _variant_t(BYTE bSrc) noexcept;
    _variant_t(char cSrc) noexcept;
    _variant_t(USHORT usSrc) noexcept;
    _variant_t(ULONG ulSrc) noexcept;
    _variant_t(unsigned long ullSrc) noexcept;
    ~_variant_t() { VariantClear(this); }

    _variant_t& operator=(const VARIANT& src);
    _variant_t& operator=(const _variant_t& src);
    _variant_t& operator=(_variant_t&& src) noexcept;
    _variant_t& operator=(const _bstr_t& src);
    _variant_t& operator=(const OLECHAR* src);
    _variant_t& operator=(const char* src);
    _variant_t& operator=(LONG src);
    _variant_t& operator=(short src);
    _variant_t& operator=(double src);
    _variant_t& operator=(bool src);
    _variant_t& operator=(IDispatch* src);
    _variant_t& operator=(IUnknown* src);

    // Conversions through VariantChangeType; a value that cannot be converted throws _com_error.
    operator short() const;
    operator LONG() const;
    operator long() const;
    operator float() const;
    operator double() const;
    operator CY() const;
    operator _bstr_t() const;
    operator bool() const;
    operator BYTE() const;
    operator DECIMAL() const;
    operator ULONG() const;
    operator unsigned long() const;
    // The interface with a new reference for the caller (null for an empty value).
    operator IDispatch*() const;
    operator IUnknown*() const;

    // Same type and equal value (texts by their characters).
    bool operator==(const VARIANT& other) const;

    // Converts pSrc (or this) to vartype in place; throws _com_error on failure.
    void ChangeType(VARTYPE vartype, const _variant_t* pSrc = nullptr);
    // Frees the value; VT_EMPTY afterwards.
    void Clear();
    // Takes over varSrc's value (varSrc becomes VT_EMPTY).
    void Attach(VARIANT& varSrc);
    // Hands the value out; this becomes VT_EMPTY.
    VARIANT Detach() noexcept;
    // Replaces the value with a VT_BSTR of the UTF-8 text.
    void SetString(const char* pSrc);

private:
    template<class T> T As(VARTYPE vt, T VARIANT::*member) const;
};

// The "parameter not given" marker (VT_ERROR holding DISP_E_PARAMNOTFOUND) for optional arguments.
extern const _variant_t vtMissing;
