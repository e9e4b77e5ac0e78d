#pragma once
// The outermost classes of component objects: CComObject (a creatable object), CComContainedObject
// and CComAggObject (an object aggregated inside an outer one), and the creators that build them.
// An object counts against its library's module lock while it lives.

#include <new>

#include "platform/com/CComObjectRoot.h"
#include "platform/com/ModuleLock.h"

template<class Base> class TS_COM_LOCAL CComObject : public Base {
public:
    using _BaseClass = Base;

    explicit CComObject(void* = nullptr) { platform::LockThisModule(); }
    virtual ~CComObject()
    {
        this->m_dwRef = -(0x7FFFFFFF / 2);
        this->FinalRelease();
        platform::UnlockThisModule();
    }

    ULONG AddRef() override { return this->InternalAddRef(); }
    ULONG Release() override
    {
        const ULONG refs = this->InternalRelease();
        if (refs == 0)
            delete this;
        return refs;
    }
    HRESULT QueryInterface(REFIID iid, void** ppvObject) override
    {
        return this->_InternalQueryInterface(iid, ppvObject);
    }
    template<class Q> HRESULT QueryInterface(Q** pp)
    {
        return QueryInterface(platform::IidOf<Q>(), reinterpret_cast<void**>(pp));
    }

    // A new object with no reference yet (FinalConstruct has run); E_OUTOFMEMORY or FinalConstruct's failure.
    static HRESULT CreateInstance(CComObject<Base>** pp)
    {
        if (!pp)
            return E_POINTER;
        *pp = nullptr;
        auto* p = new (std::nothrow) CComObject<Base>();
        if (!p)
            return E_OUTOFMEMORY;
        p->SetVoid(nullptr);
        p->InternalFinalConstructAddRef();
        // A reference held over FinalConstruct, so that an AddRef/Release pair inside it cannot destroy the object.
        p->InternalAddRef();
        const HRESULT hr = p->FinalConstruct();
        p->InternalRelease();
        p->InternalFinalConstructRelease();
        if (FAILED(hr)) {
            delete p;
            return hr;
        }
        *pp = p;
        return S_OK;
    }
};

// The interface part of an aggregated object: its IUnknown calls go to the controlling outer object.
template<class Base> class TS_COM_LOCAL CComContainedObject : public Base {
public:
    using _BaseClass = Base;

    explicit CComContainedObject(void* pv) { this->m_pOuterUnknown = static_cast<IUnknown*>(pv); }

    ULONG AddRef() override { return this->OuterAddRef(); }
    ULONG Release() override { return this->OuterRelease(); }
    HRESULT QueryInterface(REFIID iid, void** ppvObject) override { return this->OuterQueryInterface(iid, ppvObject); }
    IUnknown* GetControllingUnknown() { return this->m_pOuterUnknown; }
};

// An aggregated object: its own (non-delegating) IUnknown, which the outer object holds, and the
// contained object that hands out the interfaces.
template<class Contained>
class TS_COM_LOCAL CComAggObject : public IUnknown, public CComObjectRootEx<typename Contained::_ThreadModel> {
public:
    explicit CComAggObject(void* pv)
        : m_contained(pv)
    {
        platform::LockThisModule();
    }
    virtual ~CComAggObject()
    {
        this->m_dwRef = -(0x7FFFFFFF / 2);
        m_contained.FinalRelease();
        platform::UnlockThisModule();
    }

    HRESULT FinalConstruct() { return m_contained.FinalConstruct(); }
    void FinalRelease() { }

    ULONG AddRef() override { return this->InternalAddRef(); }
    ULONG Release() override
    {
        const ULONG refs = this->InternalRelease();
        if (refs == 0)
            delete this;
        return refs;
    }
    HRESULT QueryInterface(REFIID iid, void** ppvObject) override
    {
        if (!ppvObject)
            return E_POINTER;
        *ppvObject = nullptr;
        if (iid == IID_IUnknown) {
            *ppvObject = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return m_contained._InternalQueryInterface(iid, ppvObject);
    }

    CComContainedObject<Contained> m_contained;
};

// Builds T1 objects for the class factory: FinalConstruct, then the interface query.
template<class T1> class TS_COM_LOCAL CComCreator {
public:
    static HRESULT CreateInstance(void* pv, REFIID riid, void** ppv)
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        auto* p = new (std::nothrow) T1(pv);
        if (!p)
            return E_OUTOFMEMORY;
        p->SetVoid(pv);
        p->InternalFinalConstructAddRef();
        p->InternalAddRef();
        HRESULT hr = p->FinalConstruct();
        p->InternalRelease();
        p->InternalFinalConstructRelease();
        if (SUCCEEDED(hr))
            hr = p->QueryInterface(riid, ppv);
        if (FAILED(hr))
            delete p;
        return hr;
    }
};

// Refuses creation with a fixed result (an object that cannot be aggregated).
template<HRESULT hr> class TS_COM_LOCAL CComFailCreator {
public:
    static HRESULT CreateInstance(void*, REFIID, void** ppv)
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        return hr;
    }
};

// T1 for a plain creation, T2 when an outer object is given.
template<class T1, class T2> class TS_COM_LOCAL CComCreator2 {
public:
    static HRESULT CreateInstance(void* pv, REFIID riid, void** ppv)
    {
        return pv ? T2::CreateInstance(pv, riid, ppv) : T1::CreateInstance(nullptr, riid, ppv);
    }
};

#define DECLARE_NOT_AGGREGATABLE(x)                                                                                    \
public:                                                                                                                \
    using _CreatorClass = CComCreator2<CComCreator<CComObject<x>>, CComFailCreator<CLASS_E_NOAGGREGATION>>;
#define DECLARE_AGGREGATABLE(x)                                                                                        \
public:                                                                                                                \
    using _CreatorClass = CComCreator2<CComCreator<CComObject<x>>, CComCreator<CComAggObject<x>>>;
#define DECLARE_ONLY_AGGREGATABLE(x)                                                                                   \
public:                                                                                                                \
    using _CreatorClass = CComCreator2<CComFailCreator<E_FAIL>, CComCreator<CComAggObject<x>>>;
