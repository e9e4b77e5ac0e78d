#pragma once
// An interface a class-library object offers through a member: it lives and dies with its owner, so
// references are not counted, and it answers for its one interface and IUnknown.

#include "platform/shell/SingleInterfaceObject.h"

template<class Interface, class Owner> class AfxEmbeddedInterface : public Interface {
public:
    explicit AfxEmbeddedInterface(Owner& owner)
        : m_owner(owner)
    {
    }
    AfxEmbeddedInterface(const AfxEmbeddedInterface&) = delete;
    AfxEmbeddedInterface& operator=(const AfxEmbeddedInterface&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        return platform::QueryOneInterface<Interface>(this, riid, ppv);
    }
    // The owner keeps the interface alive: the counts only tell that more than nothing holds it.
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }

protected:
    Owner& m_owner;
};
