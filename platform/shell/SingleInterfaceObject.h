#pragma once
// The reference counting and interface answer of the shell's small objects that offer one
// interface besides IUnknown.

#include <atomic>

#include "platform/base/WinError.h"
#include "platform/com/Guid.h"
#include "platform/com/Unknwn.h"

namespace platform {

// A heap object offering `Interface` (and IUnknown); it is made with one reference and frees itself
// at its last Release.
template<class Interface> class SingleInterfaceObject : public Interface {
public:
    // Gives `Interface` or IUnknown, E_NOINTERFACE for any other, E_POINTER for no out pointer.
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IidOf<Interface>()) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
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
