#pragma once
// The root interface of the component model, class factories and the task allocator.

#include "platform/com/ComErrors.h"
#include "platform/com/Guid.h"

// Declaration helpers in the shape the component's sources are written in.
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define PURE = 0

struct IUnknown {
    // Hands out another interface of the same object (with a reference), or E_NOINTERFACE.
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    // Adds a reference; the new count (for diagnostics only).
    virtual ULONG AddRef() = 0;
    // Drops a reference; the object destroys itself at 0.
    virtual ULONG Release() = 0;

    // Typed form: the interface of type Q.
    template<class Q> HRESULT QueryInterface(Q** pp)
    {
        return QueryInterface(platform::IidOf<Q>(), reinterpret_cast<void**>(pp));
    }
};
using LPUNKNOWN = IUnknown*;
TS_DEFINE_IID(IUnknown, "00000000-0000-0000-C000-000000000046");
inline constexpr IID IID_IUnknown = platform::IidOf<IUnknown>();

struct IClassFactory : IUnknown {
    // Creates an object of the class, aggregated in pUnkOuter when that is not null.
    virtual HRESULT CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) = 0;
    // Keeps the server loaded (fLock) or lets it go again.
    virtual HRESULT LockServer(BOOL fLock) = 0;
};
using LPCLASSFACTORY = IClassFactory*;
TS_DEFINE_IID(IClassFactory, "00000001-0000-0000-C000-000000000046");
inline constexpr IID IID_IClassFactory = platform::IidOf<IClassFactory>();

struct IMalloc : IUnknown {
    // A block of cb bytes, or null.
    virtual void* Alloc(SIZE_T cb) = 0;
    // pv resized to cb bytes (a new block for null pv; freed for cb 0).
    virtual void* Realloc(void* pv, SIZE_T cb) = 0;
    // Frees a block; null is allowed.
    virtual void Free(void* pv) = 0;
    // Size of a block of this allocator; (SIZE_T)-1 for a null pointer.
    virtual SIZE_T GetSize(void* pv) = 0;
    // 1 when pv came from this allocator, 0 when not, -1 when unknown.
    virtual int DidAlloc(void* pv) = 0;
    // Gives unused memory back; nothing to do here.
    virtual void HeapMinimize() = 0;
};
using LPMALLOC = IMalloc*;
TS_DEFINE_IID(IMalloc, "00000002-0000-0000-C000-000000000046");
inline constexpr IID IID_IMalloc = platform::IidOf<IMalloc>();
