#pragma once
// The thread's apartment for a test, with the XML library registered, as the component's callers
// have it before they create a device client.

#include "platform/com/ObjBase.h"
#include "platform/xml/MsXml.h"

namespace sync_test {

class ComApartment {
public:
    ComApartment()
    {
        CoInitialize(nullptr);
        registered = platform::EnsureXmlRegistered();
    }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    HRESULT registered { E_FAIL };
};

} // namespace sync_test
