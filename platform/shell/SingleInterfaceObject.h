#pragma once
// The reference counting and interface answer of the shell's small objects that offer one
// interface besides IUnknown.

#include <atomic>

#include "platform/base/WinError.h"
#include "platform/com/Guid.h"
#include "platform/com/Unknwn.h"

namespace platform {

// The answer of an object offering `Interface` and IUnknown to QueryInterface, adding no reference:
// the interface or E_NOINTERFACE (with a null pointer), E_POINTER for no out pointer.
template<class Interface> HRESULT QueryOneInterface(Interface* self, REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IidOf<Interface>()) {
        *ppv = self;
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// A heap object offering `Interface` (and IUnknown); it is made with one reference and frees itself
// at its last Release.
template<class Interface> class SingleInterfaceObject : public Interface {
public:
    // Gives `Interface` or IUnknown, E_NOINTERFACE for any other, E_POINTER for no out pointer.
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        const HRESULT hr = QueryOneInterface<Interface>(this, riid, ppv);
        if (SUCCEEDED(hr))
            AddRef();
        return hr;
    }
    // One reference more; the count now.
    ULONG AddRef() override { return ++m_references; }
    // One reference less, freeing the object at none; the count left.
    ULONG Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    // Only Release frees the object: the virtual destructor lets it free the whole of it.
    virtual ~SingleInterfaceObject() = default;

private:
    std::atomic<ULONG> m_references { 1 };
};

} // namespace platform
