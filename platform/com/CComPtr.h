#pragma once
// CComPtr and CComQIPtr: interface pointers that own one reference.

#include <memory>
#include <utility>

#include "platform/com/ObjBase.h"
#include "platform/com/OleAuto.h"

template<class T> class CComPtr {
public:
    CComPtr() noexcept = default;
    // Holds lp with a new reference (null, 0 and NULL give an empty pointer).
    CComPtr(T* lp) noexcept
        : p(lp)
    {
        if (p)
            p->AddRef();
    }
    CComPtr(const CComPtr& lp) noexcept
        : CComPtr(lp.p)
    {
    }
    CComPtr(CComPtr&& lp) noexcept
        : p(std::exchange(lp.p, nullptr))
    {
    }
    ~CComPtr()
    {
        if (p)
            p->Release();
    }

    CComPtr& operator=(T* lp) noexcept
    {
        if (lp)
            lp->AddRef();
        T* old = std::exchange(p, lp);
        if (old)
            old->Release();
        return *this;
    }
    CComPtr& operator=(const CComPtr& lp) noexcept { return *this = lp.p; }
    CComPtr& operator=(CComPtr&& lp) noexcept
    {
        if (this != std::addressof(lp)) { // operator& would release lp
            T* old = std::exchange(p, std::exchange(lp.p, nullptr));
            if (old)
                old->Release();
        }
        return *this;
    }

    operator T*() const noexcept { return p; }
    T* operator->() const noexcept { return p; }
    T& operator*() const noexcept { return *p; }
    // Drops the held reference and hands out the slot for a callee to fill.
    T** operator&() noexcept
    {
        Release();
        return &p;
    }
    bool operator!() const noexcept { return p == nullptr; }
    bool operator==(T* other) const noexcept { return p == other; }

    // Drops the reference; the pointer becomes null.
    void Release() noexcept
    {
        if (T* old = std::exchange(p, nullptr))
            old->Release();
    }
    // Takes over the caller's reference of lp.
    void Attach(T* lp) noexcept
    {
        T* old = std::exchange(p, lp);
        if (old)
            old->Release();
    }
    // Hands the reference to the caller.
    T* Detach() noexcept { return std::exchange(p, nullptr); }
    // Copies the pointer with a new reference; E_POINTER for a null target.
    HRESULT CopyTo(T** ppT) const noexcept
    {
        if (!ppT)
            return E_POINTER;
        *ppT = p;
        if (p)
            p->AddRef();
        return S_OK;
    }
    template<class Q> HRESULT QueryInterface(Q** pp) const noexcept
    {
        if (!pp)
            return E_POINTER;
        if (!p) {
            *pp = nullptr;
            return E_POINTER;
        }
        return p->QueryInterface(platform::IidOf<Q>(), reinterpret_cast<void**>(pp));
    }
    // Creates an object of the class and holds its T interface.
    HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) noexcept
    {
        Release();
        return ::CoCreateInstance(rclsid, pUnkOuter, dwClsContext, platform::IidOf<T>(), reinterpret_cast<void**>(&p));
    }
    // The same by ProgID (or a braced class identifier).
    HRESULT CoCreateInstance(
        LPCOLESTR szProgID, IUnknown* pUnkOuter = nullptr, DWORD dwClsContext = CLSCTX_ALL) noexcept
    {
        CLSID clsid {};
        const HRESULT hr = CLSIDFromString(szProgID, &clsid);
        return FAILED(hr) ? hr : CoCreateInstance(clsid, pUnkOuter, dwClsContext);
    }
    // True when both point to the same object (compared by their IUnknown).
    bool IsEqualObject(IUnknown* pOther) const noexcept
    {
        if (!p && !pOther)
            return true;
        if (!p || !pOther)
            return false;
        IUnknown* a = nullptr;
        IUnknown* b = nullptr;
        p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a));
        pOther->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b));
        const bool same = a && a == b;
        if (a)
            a->Release();
        if (b)
            b->Release();
        return same;
    }

    T* p { nullptr };
};

// A CComPtr that queries for its interface when given another one.
template<class T, const IID* piid = &platform::IidOf<T>()> class CComQIPtr : public CComPtr<T> {
public:
    CComQIPtr() noexcept = default;
    CComQIPtr(T* lp) noexcept
        : CComPtr<T>(lp)
    {
    }
    CComQIPtr(const CComQIPtr& lp) noexcept
        : CComPtr<T>(lp.p)
    {
    }
    // Holds the T interface of lp, or null when lp has none.
    CComQIPtr(IUnknown* lp) noexcept
    {
        if (lp)
            lp->QueryInterface(*piid, reinterpret_cast<void**>(&this->p));
    }
    CComQIPtr& operator=(T* lp) noexcept
    {
        CComPtr<T>::operator=(lp);
        return *this;
    }
    CComQIPtr& operator=(const CComQIPtr& lp) noexcept
    {
        CComPtr<T>::operator=(lp.p);
        return *this;
    }
    CComQIPtr& operator=(IUnknown* lp) noexcept
    {
        T* q = nullptr;
        if (lp)
            lp->QueryInterface(*piid, reinterpret_cast<void**>(&q));
        this->Attach(q);
        return *this;
    }
};
