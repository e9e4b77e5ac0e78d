#pragma once
// CComBSTR: one owned BSTR. Wide texts it is given are read up to their zero, never by a length
// prefix, since callers pass plain wide strings where an interface names BSTR.

#include <string_view>

#include "platform/com/OleAuto.h"

class CComBSTR {
public:
    CComBSTR() noexcept = default;
    // nSize characters, zero-filled.
    explicit CComBSTR(int nSize);
    // nSize characters copied from sz (zero-filled when sz is null).
    CComBSTR(int nSize, LPCOLESTR sz);
    CComBSTR(LPCOLESTR pSrc);
    // From UTF-8 text.
    CComBSTR(LPCSTR pSrc);
    CComBSTR(const CComBSTR& src);
    CComBSTR(CComBSTR&& src) noexcept;
    // The braced text form of a GUID.
    explicit CComBSTR(REFGUID guid);
    ~CComBSTR();

    CComBSTR& operator=(const CComBSTR& src);
    CComBSTR& operator=(CComBSTR&& src) noexcept;
    CComBSTR& operator=(LPCOLESTR pSrc);
    CComBSTR& operator=(LPCSTR pSrc);

    operator BSTR() const noexcept { return m_str; }
    // Frees the text and hands out the slot for a callee to fill.
    BSTR* operator&() noexcept;
    bool operator!() const noexcept { return m_str == nullptr; }
    // Equal characters; the null text equals the empty one.
    bool operator==(const CComBSTR& other) const noexcept;
    bool operator==(LPCOLESTR other) const noexcept;
    bool operator==(OLECHAR* other) const noexcept { return *this == static_cast<LPCOLESTR>(other); }
    bool operator<(const CComBSTR& other) const noexcept;
    CComBSTR& operator+=(const CComBSTR& other);
    CComBSTR& operator+=(LPCOLESTR other);

    unsigned int Length() const noexcept { return SysStringLen(m_str); }
    unsigned int ByteLength() const noexcept { return SysStringByteLen(m_str); }
    // A new BSTR copy for the caller.
    BSTR Copy() const;
    HRESULT CopyTo(BSTR* pbstr) const;
    // Stores a copy as VT_BSTR into an (initialised) VARIANT.
    HRESULT CopyTo(VARIANT* pvarDest) const;
    void Attach(BSTR src) noexcept;
    BSTR Detach() noexcept;
    void Empty() noexcept;
    HRESULT Append(const CComBSTR& bstrSrc);
    HRESULT Append(LPCOLESTR lpsz);
    HRESULT Append(LPCOLESTR lpsz, int nLen);
    HRESULT Append(LPCSTR lpsz);
    HRESULT Append(OLECHAR ch);
    HRESULT AppendBSTR(BSTR p);
    // ASCII letters only, as every case rule of the system.
    HRESULT ToLower();
    HRESULT ToUpper();

    BSTR m_str { nullptr };

private:
    HRESULT AppendView(std::u16string_view text);
};
