#pragma once
// _com_ptr_t: the compiler's smart interface pointer. It queries for its interface when given another
// one, creates objects by class identifier or ProgID, and throws _com_error where the original does.
//
//     _COM_SMARTPTR_TYPEDEF(IQVClientConnection, platform::IidOf<IQVClientConnection>());
//     IQVClientConnectionPtr connection;
//     connection.CreateInstance(CLSID_QVSyncConnection);

#include <memory>
#include <utility>

#include "platform/com/ComError.h"
#include "platform/com/ObjBase.h"
#include "platform/com/VariantT.h"

template<class Interface, const IID* piid> struct _com_IIID {
    using ThisI = Interface;
    static const IID& GetIID() { return *piid; }
};

template<class IIID> class _com_ptr_t {
public:
    using Interface = typename IIID::ThisI;

    static const IID& GetIID() { return IIID::GetIID(); }

    _com_ptr_t() noexcept = default;
    // Holds p with a new reference (null, 0 and NULL give an empty pointer).
    _com_ptr_t(Interface* p) noexcept
        : m_p(p)
    {
        if (m_p)
            m_p->AddRef();
    }
    // Holds p, adding a reference only when fAddRef.
    _com_ptr_t(Interface* p, bool fAddRef) noexcept
        : m_p(p)
    {
        if (m_p && fAddRef)
            m_p->AddRef();
    }
    _com_ptr_t(const _com_ptr_t& other) noexcept
        : _com_ptr_t(other.m_p)
    {
    }
    _com_ptr_t(_com_ptr_t&& other) noexcept
        : m_p(std::exchange(other.m_p, nullptr))
    {
    }
    // The interface of another pointer's object (null when it has none).
    template<class OtherIIID> _com_ptr_t(const _com_ptr_t<OtherIIID>& other) { QueryFrom(other.GetInterfacePtr()); }
    // The interface of the object a VARIANT holds.
    _com_ptr_t(const _variant_t& var)
    {
        if (var.vt == VT_UNKNOWN || var.vt == VT_DISPATCH)
            QueryFrom(var.punkVal);
        else if (var.vt != VT_EMPTY)
            _com_issue_error(DISP_E_TYPEMISMATCH);
    }
    // A new object of the class (throws _com_error when it cannot be created).
    explicit _com_ptr_t(const CLSID& clsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL)
    {
        const HRESULT hr = CreateInstance(clsid, pOuter, dwClsContext);
        if (FAILED(hr) && hr != E_NOINTERFACE)
            _com_issue_error(hr);
    }
    ~_com_ptr_t()
    {
        if (m_p)
            m_p->Release();
    }

    _com_ptr_t& operator=(Interface* p) noexcept
    {
        if (p)
            p->AddRef();
        Attach(p);
        return *this;
    }
    _com_ptr_t& operator=(const _com_ptr_t& other) noexcept { return *this = other.m_p; }
    _com_ptr_t& operator=(_com_ptr_t&& other) noexcept
    {
        // std::addressof: operator& hands out the slot and would release the other's reference.
        if (this != std::addressof(other))
            Attach(std::exchange(other.m_p, nullptr));
        return *this;
    }
    template<class OtherIIID> _com_ptr_t& operator=(const _com_ptr_t<OtherIIID>& other)
    {
        _com_ptr_t fresh(other);
        return *this = std::move(fresh);
    }

    // Creates an object of the class and holds its interface; the creation's HRESULT.
    HRESULT CreateInstance(const CLSID& rclsid, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) noexcept
    {
        Attach(nullptr);
        Interface* p = nullptr;
        const HRESULT hr = CoCreateInstance(rclsid, pOuter, dwClsContext, GetIID(), reinterpret_cast<void**>(&p));
        m_p = SUCCEEDED(hr) ? p : nullptr;
        return hr;
    }
    // By text: a braced class identifier, else a ProgID.
    HRESULT CreateInstance(LPCOLESTR clsidString, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) noexcept
    {
        if (!clsidString)
            return E_INVALIDARG;
        CLSID clsid {};
        const HRESULT hr
            = clsidString[0] == u'{' ? CLSIDFromString(clsidString, &clsid) : CLSIDFromProgID(clsidString, &clsid);
        if (FAILED(hr))
            return hr;
        return CreateInstance(clsid, pOuter, dwClsContext);
    }
    HRESULT CreateInstance(LPCSTR clsidStringA, IUnknown* pOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) noexcept
    {
        if (!clsidStringA)
            return E_INVALIDARG;
        const _bstr_t text(clsidStringA);
        return CreateInstance(static_cast<LPCOLESTR>(text), pOuter, dwClsContext);
    }

    // Takes over p's reference.
    void Attach(Interface* p) noexcept
    {
        Interface* old = std::exchange(m_p, p);
        if (old)
            old->Release();
    }
    void Attach(Interface* p, bool fAddRef) noexcept
    {
        if (p && fAddRef)
            p->AddRef();
        Attach(p);
    }
    Interface* Detach() noexcept { return std::exchange(m_p, nullptr); }
    // Releases the held reference; throws _com_error(E_POINTER) when there is none.
    void Release()
    {
        if (!m_p)
            _com_issue_error(E_POINTER);
        std::exchange(m_p, nullptr)->Release();
    }
    void AddRef()
    {
        if (!m_p)
            _com_issue_error(E_POINTER);
        m_p->AddRef();
    }
    Interface* GetInterfacePtr() const noexcept { return m_p; }
    Interface*& GetInterfacePtr() noexcept { return m_p; }
    template<class Q> HRESULT QueryInterface(const IID& iid, Q*& p) noexcept
    {
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(iid, reinterpret_cast<void**>(&p));
    }
    template<class Q> HRESULT QueryInterface(const IID& iid, Q** p) noexcept
    {
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(iid, reinterpret_cast<void**>(p));
    }

    operator Interface*() const noexcept { return m_p; }
    // The interface; throws _com_error(E_POINTER) when null.
    Interface* operator->() const
    {
        if (!m_p)
            _com_issue_error(E_POINTER);
        return m_p;
    }
    Interface& operator*() const
    {
        if (!m_p)
            _com_issue_error(E_POINTER);
        return *m_p;
    }
    // Releases the held reference and hands out the slot for a callee to fill.
    Interface** operator&() noexcept
    {
        Attach(nullptr);
        return &m_p;
    }
    explicit operator bool() const noexcept { return m_p != nullptr; }
    bool operator!() const noexcept { return m_p == nullptr; }
    bool operator==(Interface* p) const noexcept { return m_p == p; }

private:
    void QueryFrom(IUnknown* source)
    {
        if (!source)
            return;
        const HRESULT hr = source->QueryInterface(GetIID(), reinterpret_cast<void**>(&m_p));
        if (FAILED(hr)) {
            m_p = nullptr;
            if (hr != E_NOINTERFACE)
                _com_issue_error(hr);
        }
    }

    Interface* m_p { nullptr };
};

// Declares InterfacePtr as the smart pointer of Interface; iid names its identifier.
#define _COM_SMARTPTR_TYPEDEF(Interface, iid) using Interface##Ptr = _com_ptr_t<_com_IIID<Interface, &(iid)>>
