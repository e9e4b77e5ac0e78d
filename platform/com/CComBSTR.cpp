#include "platform/com/CComBSTR.h"

#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "platform/base/CodePage.h"
#include "platform/com/Guid.h"

namespace {

BSTR FromUtf8(LPCSTR text)
{
    if (!text)
        return nullptr;
    const std::u16string wide = platform::Utf8ToUtf16(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::u16string_view ViewOf(BSTR own)
{
    return own ? std::u16string_view(own, SysStringLen(own)) : std::u16string_view();
}

} // namespace

CComBSTR::CComBSTR(int nSize)
    : m_str(nSize > 0 ? SysAllocStringLen(nullptr, static_cast<UINT>(nSize)) : nullptr)
{
}

CComBSTR::CComBSTR(int nSize, LPCOLESTR sz)
    : m_str(nSize >= 0 ? SysAllocStringLen(sz, static_cast<UINT>(nSize)) : nullptr)
{
}

CComBSTR::CComBSTR(LPCOLESTR pSrc)
    : m_str(SysAllocString(pSrc))
{
}

CComBSTR::CComBSTR(LPCSTR pSrc)
    : m_str(FromUtf8(pSrc))
{
}

CComBSTR::CComBSTR(const CComBSTR& src)
    : m_str(src.Copy())
{
}

CComBSTR::CComBSTR(CComBSTR&& src) noexcept
    : m_str(std::exchange(src.m_str, nullptr))
{
}

CComBSTR::CComBSTR(REFGUID guid)
    : m_str(SysAllocString(platform::GuidToWideString(guid).c_str()))
{
}

CComBSTR::~CComBSTR() { SysFreeString(m_str); }

CComBSTR& CComBSTR::operator=(const CComBSTR& src)
{
    if (this != std::addressof(src))
        Attach(src.Copy());
    return *this;
}

CComBSTR& CComBSTR::operator=(CComBSTR&& src) noexcept
{
    if (this != std::addressof(src))
        Attach(std::exchange(src.m_str, nullptr));
    return *this;
}

CComBSTR& CComBSTR::operator=(LPCOLESTR pSrc)
{
    if (pSrc != m_str)
        Attach(SysAllocString(pSrc));
    return *this;
}

CComBSTR& CComBSTR::operator=(LPCSTR pSrc)
{
    Attach(FromUtf8(pSrc));
    return *this;
}

BSTR* CComBSTR::operator&() noexcept
{
    Empty();
    return &m_str;
}

bool CComBSTR::operator==(const CComBSTR& other) const noexcept { return ViewOf(m_str) == ViewOf(other.m_str); }

bool CComBSTR::operator==(LPCOLESTR other) const noexcept
{
    return ViewOf(m_str) == (other ? std::u16string_view(other) : std::u16string_view());
}

bool CComBSTR::operator<(const CComBSTR& other) const noexcept { return ViewOf(m_str) < ViewOf(other.m_str); }

CComBSTR& CComBSTR::operator+=(const CComBSTR& other)
{
    Append(other);
    return *this;
}

CComBSTR& CComBSTR::operator+=(LPCOLESTR other)
{
    Append(other);
    return *this;
}

BSTR CComBSTR::Copy() const
{
    return m_str ? SysAllocStringByteLen(reinterpret_cast<LPCSTR>(m_str), SysStringByteLen(m_str)) : nullptr;
}

HRESULT CComBSTR::CopyTo(BSTR* pbstr) const
{
    if (!pbstr)
        return E_POINTER;
    *pbstr = Copy();
    return (m_str && !*pbstr) ? E_OUTOFMEMORY : S_OK;
}

HRESULT CComBSTR::CopyTo(VARIANT* pvarDest) const
{
    if (!pvarDest)
        return E_POINTER;
    BSTR copy = Copy();
    if (m_str && !copy)
        return E_OUTOFMEMORY;
    VariantClear(pvarDest);
    pvarDest->vt = VT_BSTR;
    pvarDest->bstrVal = copy;
    return S_OK;
}

void CComBSTR::Attach(BSTR src) noexcept
{
    if (src != m_str) {
        SysFreeString(m_str);
        m_str = src;
    }
}

BSTR CComBSTR::Detach() noexcept { return std::exchange(m_str, nullptr); }

void CComBSTR::Empty() noexcept
{
    SysFreeString(m_str);
    m_str = nullptr;
}

HRESULT CComBSTR::AppendView(std::u16string_view text)
{
    if (text.empty())
        return S_OK;
    const UINT old = Length();
    BSTR joined = SysAllocStringLen(nullptr, old + static_cast<UINT>(text.size()));
    if (!joined)
        return E_OUTOFMEMORY;
    if (old)
        std::memcpy(joined, m_str, old * sizeof(OLECHAR));
    std::memcpy(joined + old, text.data(), text.size() * sizeof(OLECHAR));
    Attach(joined);
    return S_OK;
}

HRESULT CComBSTR::Append(const CComBSTR& bstrSrc) { return AppendView(std::u16string(ViewOf(bstrSrc.m_str))); }
HRESULT CComBSTR::Append(LPCOLESTR lpsz) { return lpsz ? AppendView(std::u16string(lpsz)) : S_OK; }

HRESULT CComBSTR::Append(LPCOLESTR lpsz, int nLen)
{
    if (!lpsz || nLen <= 0)
        return S_OK;
    return AppendView(std::u16string(lpsz, static_cast<std::size_t>(nLen)));
}

HRESULT CComBSTR::Append(LPCSTR lpsz) { return lpsz ? AppendView(platform::Utf8ToUtf16(lpsz)) : S_OK; }
HRESULT CComBSTR::Append(OLECHAR ch) { return AppendView(std::u16string(1, ch)); }
HRESULT CComBSTR::AppendBSTR(BSTR p) { return Append(static_cast<LPCOLESTR>(p)); }

HRESULT CComBSTR::ToLower()
{
    for (UINT i = 0; i < Length(); ++i)
        if (m_str[i] >= u'A' && m_str[i] <= u'Z')
            m_str[i] = static_cast<OLECHAR>(m_str[i] - u'A' + u'a');
    return S_OK;
}

HRESULT CComBSTR::ToUpper()
{
    for (UINT i = 0; i < Length(); ++i)
        if (m_str[i] >= u'a' && m_str[i] <= u'z')
            m_str[i] = static_cast<OLECHAR>(m_str[i] - u'a' + u'A');
    return S_OK;
}
