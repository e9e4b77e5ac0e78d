#pragma once
// The module object of a component library: its object map, the count of live objects and locks,
// and what the library's four exports do (class objects, unloading, registration).
//
// A library declares it once, after its object map:
//     BEGIN_OBJECT_MAP(ObjectMap) OBJECT_ENTRY(CLSID_Thing, CThing) END_OBJECT_MAP()
//     CComModule _Module(ObjectMap);
//     STDAPI DllGetClassObject(REFCLSID c, REFIID i, void** p) { return _Module.GetClassObject(c, i, p); }
//     STDAPI DllCanUnloadNow() { return _Module.DllCanUnloadNow(); }
//     STDAPI DllRegisterServer() { return _Module.RegisterServer(TRUE); }
//     STDAPI DllUnregisterServer() { return _Module.UnregisterServer(TRUE); }

#include <atomic>

#include "platform/com/CComClassFactory.h"

struct _ATL_OBJMAP_ENTRY {
    const CLSID* pclsid;
    HRESULT (*pfnUpdateRegistry)(BOOL bRegister);
    HRESULT (*pfnGetClassObject)(_ATL_CREATORFUNC pfnCreate, REFIID riid, void** ppv);
    _ATL_CREATORFUNC pfnCreateInstance;
    const OLECHAR* (*pfnGetObjectDescription)();
};

#define BEGIN_OBJECT_MAP(x) static _ATL_OBJMAP_ENTRY x[] = {
#define OBJECT_ENTRY(clsid, class)                                                                                     \
    { &(clsid), &class ::UpdateRegistry, &class ::_ClassFactoryCreatorClass::CreateInstance,                           \
        &class ::_CreatorClass::CreateInstance, &class ::GetObjectDescription },
#define END_OBJECT_MAP()                                                                                               \
    {                                                                                                                  \
        nullptr, nullptr, nullptr, nullptr, nullptr                                                                    \
    }                                                                                                                  \
    }                                                                                                                  \
    ;

// An extra replacement for registry scripts: %szKey% becomes szData.
struct _ATL_REGMAP_ENTRY {
    LPCOLESTR szKey;
    LPCOLESTR szData;
};

class CComModule : public platform::ModuleLockCount {
public:
    // Becomes the module object of the library it is compiled into.
    TS_COM_LOCAL CComModule();
    // The same, bound to the library's object map at once.
    TS_COM_LOCAL explicit CComModule(_ATL_OBJMAP_ENTRY* pObjMap);
    virtual ~CComModule();
    CComModule(const CComModule&) = delete;
    CComModule& operator=(const CComModule&) = delete;

    // Binds the object map; a null hInst means the library that holds this module object.
    HRESULT Init(_ATL_OBJMAP_ENTRY* pObjMap, HINSTANCE hInst, const GUID* plibid = nullptr);
    void Term();

    LONG Lock() override;
    LONG Unlock() override;
    // Live objects, factories and server locks of the library.
    LONG GetLockCount() const { return m_nLockCnt.load(); }
    HINSTANCE GetModuleInstance() const { return m_hInst; }
    HINSTANCE GetResourceInstance() const { return m_hInst; }
    HINSTANCE GetTypeLibInstance() const { return m_hInst; }

    // DllGetClassObject: the class factory of a class in the map; CLASS_E_CLASSNOTAVAILABLE otherwise.
    HRESULT GetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
    // DllCanUnloadNow: S_OK when nothing of the library is alive, else S_FALSE.
    HRESULT DllCanUnloadNow() const { return GetLockCount() == 0 ? S_OK : S_FALSE; }
    // DllRegisterServer: each class's registry script (and the type library resource 1 when asked).
    HRESULT RegisterServer(BOOL bRegTypeLib = FALSE, const CLSID* pCLSID = nullptr);
    // DllUnregisterServer: removes what RegisterServer wrote.
    HRESULT UnregisterServer(BOOL bUnRegTypeLib = FALSE, const CLSID* pCLSID = nullptr);
    // Applies (or undoes) the "REGISTRY" resource nResID with %MODULE% and the given replacements.
    HRESULT UpdateRegistryFromResource(UINT nResID, BOOL bRegister, _ATL_REGMAP_ENTRY* pMapEntries = nullptr);
    // Registers or removes the "TYPELIB" resource 1 of the library.
    HRESULT RegisterTypeLib();
    HRESULT UnRegisterTypeLib();

private:
    HINSTANCE Instance();

    _ATL_OBJMAP_ENTRY* m_pObjMap { nullptr };
    HINSTANCE m_hInst { nullptr };
    std::atomic<LONG> m_nLockCnt { 0 };
};

namespace platform {

TS_COM_LOCAL inline CComModule* g_thisLibraryComModule = nullptr;

// The module object of the library this code is compiled into.
TS_COM_LOCAL inline CComModule& ThisLibraryModule() { return *g_thisLibraryComModule; }

} // namespace platform

inline CComModule::CComModule()
{
    platform::g_thisLibraryModule = this;
    platform::g_thisLibraryComModule = this;
}

inline CComModule::CComModule(_ATL_OBJMAP_ENTRY* pObjMap)
    : CComModule()
{
    Init(pObjMap, nullptr);
}
