#pragma once
// The root of every component object: its reference count (or, when aggregated, its controlling
// outer object), its thread model's lock, and the interface map that QueryInterface walks.

#include <atomic>
#include <climits>
#include <mutex>

#include "platform/com/OleAuto.h"

// Locks of the thread models. Reference counts are always atomic: apartments are records only and
// the component's objects are called from its own worker threads.
class CComAutoCriticalSection {
public:
    void Lock() { m_mutex.lock(); }
    void Unlock() { m_mutex.unlock(); }

private:
    std::recursive_mutex m_mutex;
};

class CComFakeCriticalSection {
public:
    void Lock() { }
    void Unlock() { }
};

struct CComMultiThreadModelNoCS {
    using AutoCriticalSection = CComFakeCriticalSection;
    using CriticalSection = CComFakeCriticalSection;
};

struct CComMultiThreadModel {
    using AutoCriticalSection = CComAutoCriticalSection;
    using CriticalSection = CComAutoCriticalSection;
};

// Apartment objects are still reached from the component's worker and event threads, so they lock
// like free-threaded ones.
struct CComSingleThreadModel {
    using AutoCriticalSection = CComAutoCriticalSection;
    using CriticalSection = CComAutoCriticalSection;
};

using CComObjectThreadModel = CComSingleThreadModel;
using CComGlobalsThreadModel = CComMultiThreadModel;

// One line of an interface map: the interface's identifier and how to reach it from the object.
struct _ATL_INTMAP_ENTRY {
    const IID* piid;
    // The interface pointer inside the object (for a plain entry).
    void* (*pfnCast)(void* pThis);
    // Hands out the interface itself (for an entry that delegates, e.g. to an aggregated object).
    HRESULT (*pfnQuery)(void* pThis, REFIID riid, void** ppv);
};

namespace platform {
template<class Class, class Interface> void* CastToInterface(void* pThis)
{
    return static_cast<Interface*>(static_cast<Class*>(pThis));
}
template<class Class, class Interface, class Via> void* CastToInterfaceVia(void* pThis)
{
    return static_cast<Interface*>(static_cast<Via*>(static_cast<Class*>(pThis)));
}
} // namespace platform

class CComObjectRootBase {
public:
    // Runs after the object is built and before it is handed out; a failure discards it.
    HRESULT FinalConstruct() { return S_OK; }
    // Runs before the object is destroyed.
    void FinalRelease() { }
    void SetVoid(void*) { }
    void InternalFinalConstructAddRef() { }
    void InternalFinalConstructRelease() { }

    // Walks an interface map; IID_IUnknown gives the object's identity.
    static HRESULT InternalQueryInterface(void* pThis, const _ATL_INTMAP_ENTRY* pEntries, REFIID iid, void** ppvObject)
    {
        if (!ppvObject)
            return E_POINTER;
        *ppvObject = nullptr;
        if (!pEntries || !pEntries->piid)
            return E_NOINTERFACE;
        if (iid == IID_IUnknown) {
            IUnknown* unknown = IdentityOf(pThis, pEntries);
            if (!unknown)
                return E_NOINTERFACE;
            unknown->AddRef();
            *ppvObject = unknown;
            return S_OK;
        }
        for (const _ATL_INTMAP_ENTRY* entry = pEntries; entry->piid; ++entry) {
            if (*entry->piid != iid)
                continue;
            if (entry->pfnCast) {
                auto* itf = static_cast<IUnknown*>(entry->pfnCast(pThis));
                itf->AddRef();
                *ppvObject = itf;
                return S_OK;
            }
            const HRESULT hr = entry->pfnQuery(pThis, iid, ppvObject);
            if (hr != E_NOINTERFACE)
                return hr;
        }
        return E_NOINTERFACE;
    }

    // The object's identity: its first interface that lives in the object itself.
    static IUnknown* IdentityOf(void* pThis, const _ATL_INTMAP_ENTRY* pEntries)
    {
        for (const _ATL_INTMAP_ENTRY* entry = pEntries; entry && entry->piid; ++entry)
            if (entry->pfnCast)
                return static_cast<IUnknown*>(entry->pfnCast(pThis));
        return nullptr;
    }

    ULONG OuterAddRef() { return m_pOuterUnknown->AddRef(); }
    ULONG OuterRelease() { return m_pOuterUnknown->Release(); }
    HRESULT OuterQueryInterface(REFIID iid, void** ppvObject)
    {
        return m_pOuterUnknown->QueryInterface(iid, ppvObject);
    }

    // The reference count; the controlling outer object when aggregated.
    std::atomic<LONG> m_dwRef { 0 };
    IUnknown* m_pOuterUnknown { nullptr };
};

template<class ThreadModel> class CComObjectRootEx : public CComObjectRootBase {
public:
    using _ThreadModel = ThreadModel;
    using _CritSec = typename ThreadModel::AutoCriticalSection;

    ULONG InternalAddRef() { return static_cast<ULONG>(++m_dwRef); }
    ULONG InternalRelease() { return static_cast<ULONG>(--m_dwRef); }
    // The object's own lock (ATL-style Lock/Unlock pairs).
    void Lock() { m_critsec.Lock(); }
    void Unlock() { m_critsec.Unlock(); }

private:
    _CritSec m_critsec;
};

using CComObjectRoot = CComObjectRootEx<CComObjectThreadModel>;

// The interface map of a class: BEGIN_COM_MAP(CMyClass) COM_INTERFACE_ENTRY(IMyItf) ... END_COM_MAP().
#define BEGIN_COM_MAP(x)                                                                                               \
public:                                                                                                                \
    using _ComMapClass = x;                                                                                            \
    IUnknown* GetUnknown() { return IdentityOf(this, _GetEntries()); }                                                 \
    HRESULT _InternalQueryInterface(REFIID iid, void** ppvObject)                                                      \
    {                                                                                                                  \
        return InternalQueryInterface(this, _GetEntries(), iid, ppvObject);                                            \
    }                                                                                                                  \
    static const _ATL_INTMAP_ENTRY* _GetEntries()                                                                      \
    {                                                                                                                  \
        static const _ATL_INTMAP_ENTRY _entries[] = {

// An interface the class derives from.
#define COM_INTERFACE_ENTRY(itf) { &platform::IidOf<itf>(), &platform::CastToInterface<_ComMapClass, itf>, nullptr },
// An interface under another identifier.
#define COM_INTERFACE_ENTRY_IID(iid, itf) { &(iid), &platform::CastToInterface<_ComMapClass, itf>, nullptr },
// An interface reached through one of two bases that both derive from it.
#define COM_INTERFACE_ENTRY2(itf, via)                                                                                 \
    { &platform::IidOf<itf>(), &platform::CastToInterfaceVia<_ComMapClass, itf, via>, nullptr },
#define COM_INTERFACE_ENTRY2_IID(iid, itf, via)                                                                        \
    { &(iid), &platform::CastToInterfaceVia<_ComMapClass, itf, via>, nullptr },
// An interface of an aggregated inner object, held as the member punk (an IUnknown*).
#define COM_INTERFACE_ENTRY_AGGREGATE(iid, punk)                                                                       \
    { &(iid), nullptr, [](void* pThis, REFIID riid, void** ppv) -> HRESULT {                                           \
         IUnknown* inner = static_cast<_ComMapClass*>(pThis)->punk;                                                    \
         return inner ? inner->QueryInterface(riid, ppv) : E_NOINTERFACE;                                              \
     } },

#define END_COM_MAP()                                                                                                  \
    {                                                                                                                  \
        nullptr, nullptr, nullptr                                                                                      \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    return _entries;                                                                                                   \
    }                                                                                                                  \
    virtual ULONG AddRef() override = 0;                                                                               \
    virtual ULONG Release() override = 0;                                                                              \
    virtual HRESULT QueryInterface(REFIID, void**) override = 0;

// The controlling unknown: the outer object when aggregated, else the object itself.
#define DECLARE_GET_CONTROLLING_UNKNOWN()                                                                              \
public:                                                                                                                \
    IUnknown* GetControllingUnknown() { return m_pOuterUnknown ? m_pOuterUnknown : GetUnknown(); }

#define DECLARE_PROTECT_FINAL_CONSTRUCT()
