#include "platform/com/ComError.h"

#include <cstdio>
#include <utility>

_com_error::_com_error(HRESULT hr, IErrorInfo* perrinfo, bool fAddRef) noexcept
    : m_hr(hr)
    , m_perrinfo(perrinfo)
{
    if (m_perrinfo && fAddRef)
        m_perrinfo->AddRef();
}

_com_error::_com_error(const _com_error& that) noexcept
    : m_hr(that.m_hr)
    , m_perrinfo(that.m_perrinfo)
{
    if (m_perrinfo)
        m_perrinfo->AddRef();
}

_com_error& _com_error::operator=(const _com_error& that) noexcept
{
    if (this != &that) {
        _com_error copy(that);
        std::swap(m_hr, copy.m_hr);
        std::swap(m_perrinfo, copy.m_perrinfo);
        m_message.clear();
    }
    return *this;
}

_com_error::~_com_error()
{
    if (m_perrinfo)
        m_perrinfo->Release();
}

WORD _com_error::WCode() const noexcept
{
    const DWORD code = static_cast<DWORD>(m_hr);
    return code >= 0x80040200u && code <= 0x8004FFFFu ? static_cast<WORD>(code - 0x80040200u) : 0;
}

IErrorInfo* _com_error::ErrorInfo() const noexcept
{
    if (m_perrinfo)
        m_perrinfo->AddRef();
    return m_perrinfo;
}

namespace {

template<class Getter> _bstr_t TextOf(IErrorInfo* info, Getter getter)
{
    BSTR text = nullptr;
    if (info)
        (info->*getter)(&text);
    return _bstr_t(text, false);
}

} // namespace

_bstr_t _com_error::Description() const { return TextOf(m_perrinfo, &IErrorInfo::GetDescription); }
_bstr_t _com_error::Source() const { return TextOf(m_perrinfo, &IErrorInfo::GetSource); }
_bstr_t _com_error::HelpFile() const { return TextOf(m_perrinfo, &IErrorInfo::GetHelpFile); }

DWORD _com_error::HelpContext() const
{
    DWORD context = 0;
    if (m_perrinfo)
        m_perrinfo->GetHelpContext(&context);
    return context;
}

::GUID _com_error::GUID() const
{
    ::GUID g {};
    if (m_perrinfo)
        m_perrinfo->GetGUID(&g);
    return g;
}

const TCHAR* _com_error::ErrorMessage() const
{
    if (m_message.empty()) {
        char text[64];
        if (WCode() != 0)
            std::snprintf(text, sizeof text, "IDispatch error #%d", WCode());
        else
            std::snprintf(text, sizeof text, "Unknown error 0x%08X", static_cast<unsigned>(m_hr));
        m_message = text;
    }
    return m_message.c_str();
}

void _com_issue_error(HRESULT hr) { throw _com_error(hr); }

void _com_raise_error(HRESULT hr, IErrorInfo* perrinfo) { throw _com_error(hr, perrinfo); }

void _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid)
{
    IErrorInfo* info = nullptr;
    ISupportErrorInfo* support = nullptr;
    if (punk && SUCCEEDED(punk->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)))) {
        if (support->InterfaceSupportsErrorInfo(riid) == S_OK && GetErrorInfo(0, &info) != S_OK)
            info = nullptr;
        support->Release();
    }
    throw _com_error(hr, info);
}
