#pragma once
// CComCoClass: what makes a component class creatable through its class identifier: its creator
// (aggregatable unless declared otherwise), its class factory, and error reporting.

#include "platform/base/CodePage.h"
#include "platform/com/CComModule.h"

namespace platform {
// Sets the thread's error information for a failure of class clsid; returns hRes (E_FAIL when 0).
HRESULT ReportError(REFCLSID clsid, LPCOLESTR lpszDesc, REFIID iid, HRESULT hRes);
} // namespace platform

template<class T, const CLSID* pclsid = &CLSID_NULL> class CComCoClass {
public:
    DECLARE_AGGREGATABLE(T)
    using _ClassFactoryCreatorClass = CComClassFactoryCreator;

    static const CLSID& GetObjectCLSID() { return *pclsid; }
    static const OLECHAR* GetObjectDescription() { return nullptr; }

    // Makes the description the thread's error information (GUID iid, source the class's ProgID
    // when registered) and returns hRes.
    static HRESULT Error(LPCOLESTR lpszDesc, const IID& iid = GUID_NULL, HRESULT hRes = 0)
    {
        return platform::ReportError(*pclsid, lpszDesc, iid, hRes);
    }
    // The same with a UTF-8 description.
    static HRESULT Error(LPCSTR lpszDesc, const IID& iid = GUID_NULL, HRESULT hRes = 0)
    {
        return platform::ReportError(*pclsid, lpszDesc ? platform::Utf8ToUtf16(lpszDesc).c_str() : nullptr, iid, hRes);
    }
};

// The registry script (a resource of type "REGISTRY") that registers the class.
#define DECLARE_REGISTRY_RESOURCEID(id)                                                                                \
    static HRESULT WINAPI UpdateRegistry(BOOL bRegister)                                                               \
    {                                                                                                                  \
        CComModule* module = platform::g_thisLibraryComModule;                                                         \
        return module ? module->UpdateRegistryFromResource(id, bRegister) : E_UNEXPECTED;                              \
    }
#define DECLARE_NO_REGISTRY()                                                                                          \
    static HRESULT WINAPI UpdateRegistry(BOOL) { return S_OK; }
