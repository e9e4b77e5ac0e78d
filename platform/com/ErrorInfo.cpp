// Error information: one object per error, and one slot per thread that holds the last one set.

#include <atomic>
#include <new>
#include <string>

#include "platform/com/OleAuto.h"

namespace {

class ErrorInfo final : public IErrorInfo, public ICreateErrorInfo {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IErrorInfo)
            *ppv = static_cast<IErrorInfo*>(this);
        else if (riid == IID_ICreateErrorInfo)
            *ppv = static_cast<ICreateErrorInfo*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return refs;
    }

    HRESULT GetGUID(GUID* pGUID) override
    {
        if (!pGUID)
            return E_INVALIDARG;
        *pGUID = m_guid;
        return S_OK;
    }
    HRESULT GetSource(BSTR* p) override { return Hand(m_source, p); }
    HRESULT GetDescription(BSTR* p) override { return Hand(m_description, p); }
    HRESULT GetHelpFile(BSTR* p) override { return Hand(m_helpFile, p); }
    HRESULT GetHelpContext(DWORD* p) override
    {
        if (!p)
            return E_INVALIDARG;
        *p = m_helpContext;
        return S_OK;
    }

    HRESULT SetGUID(REFGUID rguid) override
    {
        m_guid = rguid;
        return S_OK;
    }
    HRESULT SetSource(LPOLESTR s) override { return Keep(m_source, s); }
    HRESULT SetDescription(LPOLESTR s) override { return Keep(m_description, s); }
    HRESULT SetHelpFile(LPOLESTR s) override { return Keep(m_helpFile, s); }
    HRESULT SetHelpContext(DWORD c) override
    {
        m_helpContext = c;
        return S_OK;
    }

private:
    ~ErrorInfo() = default;

    static HRESULT Hand(const std::u16string& text, BSTR* out)
    {
        if (!out)
            return E_INVALIDARG;
        *out = text.empty() ? nullptr : SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return text.empty() || *out ? S_OK : E_OUTOFMEMORY;
    }
    // Texts are read up to their zero: callers pass plain wide strings as often as BSTRs.
    static HRESULT Keep(std::u16string& slot, LPOLESTR text)
    {
        slot = text ? std::u16string(text) : std::u16string();
        return S_OK;
    }

    std::atomic<ULONG> m_refs { 1 };
    GUID m_guid {};
    std::u16string m_source;
    std::u16string m_description;
    std::u16string m_helpFile;
    DWORD m_helpContext { 0 };
};

// Releases the thread's error information when the thread ends.
struct ThreadErrorSlot {
    IErrorInfo* info { nullptr };
    ~ThreadErrorSlot()
    {
        if (info)
            info->Release();
    }
};

thread_local ThreadErrorSlot t_error;

} // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo)
{
    if (!pperrinfo)
        return E_INVALIDARG;
    auto* info = new (std::nothrow) ErrorInfo;
    *pperrinfo = info;
    return info ? S_OK : E_OUTOFMEMORY;
}

HRESULT SetErrorInfo(ULONG, IErrorInfo* perrinfo)
{
    if (perrinfo)
        perrinfo->AddRef();
    IErrorInfo* old = t_error.info;
    t_error.info = perrinfo;
    if (old)
        old->Release();
    return S_OK;
}

HRESULT GetErrorInfo(ULONG, IErrorInfo** pperrinfo)
{
    if (!pperrinfo)
        return E_INVALIDARG;
    *pperrinfo = t_error.info;
    t_error.info = nullptr;
    return *pperrinfo ? S_OK : S_FALSE;
}
