#include "platform/com/BstrT.h"

#include "platform/base/CodePage.h"
#include "platform/com/VariantT.h"

std::shared_ptr<_bstr_t::Data> _bstr_t::Own(BSTR owned) { return owned ? std::make_shared<Data>(owned) : nullptr; }

namespace {

BSTR CopyUpToZero(const OLECHAR* s)
{
    if (!s)
        return nullptr;
    BSTR copy = SysAllocString(s);
    if (!copy)
        _com_issue_error(E_OUTOFMEMORY);
    return copy;
}

BSTR FromUtf8(const char* s)
{
    if (!s)
        return nullptr;
    const std::u16string wide = platform::Utf8ToUtf16(s);
    BSTR copy = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (!copy)
        _com_issue_error(E_OUTOFMEMORY);
    return copy;
}

} // namespace

_bstr_t::_bstr_t(const char* s)
    : m_data(Own(FromUtf8(s)))
{
}

_bstr_t::_bstr_t(const OLECHAR* s)
    : m_data(Own(CopyUpToZero(s)))
{
}

_bstr_t::_bstr_t(BSTR bstr, bool fCopy)
    : m_data(Own(fCopy ? CopyUpToZero(bstr) : bstr))
{
}

_bstr_t::_bstr_t(const _variant_t& var) { *this = var; }

_bstr_t& _bstr_t::operator=(const char* s)
{
    m_data = Own(FromUtf8(s));
    return *this;
}

_bstr_t& _bstr_t::operator=(const OLECHAR* s)
{
    m_data = Own(CopyUpToZero(s));
    return *this;
}

_bstr_t& _bstr_t::operator=(const _variant_t& var)
{
    if (var.vt == VT_BSTR) {
        m_data = Own(var.bstrVal ? SysAllocStringLen(var.bstrVal, SysStringLen(var.bstrVal)) : nullptr);
        return *this;
    }
    _variant_t text;
    text.ChangeType(VT_BSTR, &var);
    m_data = Own(text.Detach().bstrVal);
    return *this;
}

_bstr_t& _bstr_t::operator+=(const _bstr_t& s)
{
    *this = *this + s;
    return *this;
}

_bstr_t operator+(const _bstr_t& a, const _bstr_t& b)
{
    const UINT la = a.length(), lb = b.length();
    BSTR joined = SysAllocStringLen(nullptr, la + lb);
    if (!joined)
        _com_issue_error(E_OUTOFMEMORY);
    for (UINT i = 0; i < la; ++i)
        joined[i] = static_cast<const OLECHAR*>(a)[i];
    for (UINT i = 0; i < lb; ++i)
        joined[la + i] = static_cast<const OLECHAR*>(b)[i];
    _bstr_t result;
    result.Attach(joined);
    return result;
}

_bstr_t::operator const char*() const
{
    if (!m_data || !m_data->wide)
        return nullptr;
    if (!m_data->narrow)
        m_data->narrow = std::make_unique<std::string>(
            platform::Utf16ToUtf8(std::u16string_view(m_data->wide, SysStringLen(m_data->wide))));
    return m_data->narrow->c_str();
}

_bstr_t::operator char*() const { return const_cast<char*>(static_cast<const char*>(*this)); }

BSTR _bstr_t::copy(bool fCopy) const
{
    if (!m_data || !m_data->wide)
        return nullptr;
    if (!fCopy)
        return m_data->wide;
    BSTR c = SysAllocStringLen(m_data->wide, SysStringLen(m_data->wide));
    if (!c)
        _com_issue_error(E_OUTOFMEMORY);
    return c;
}

void _bstr_t::Assign(BSTR s) { m_data = Own(CopyUpToZero(s)); }

BSTR& _bstr_t::GetBSTR()
{
    if (!m_data)
        m_data = std::make_shared<Data>(nullptr);
    else if (m_data.use_count() > 1)
        m_data = std::make_shared<Data>(copy());
    m_data->narrow.reset();
    return m_data->wide;
}

BSTR* _bstr_t::GetAddress()
{
    m_data = std::make_shared<Data>(nullptr);
    return &m_data->wide;
}

void _bstr_t::Attach(BSTR s) { m_data = Own(s); }

BSTR _bstr_t::Detach() noexcept
{
    if (!m_data)
        return nullptr;
    BSTR out = nullptr;
    if (m_data.use_count() == 1) {
        out = m_data->wide;
        m_data->wide = nullptr;
    } else if (m_data->wide) {
        out = SysAllocStringLen(m_data->wide, SysStringLen(m_data->wide));
    }
    m_data.reset();
    return out;
}

int _bstr_t::Compare(const _bstr_t& other) const noexcept
{
    const UINT la = length(), lb = other.length();
    const OLECHAR* a = *this;
    const OLECHAR* b = other;
    for (UINT i = 0; i < la && i < lb; ++i)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return la == lb ? 0 : (la < lb ? -1 : 1);
}
