#pragma once
// The component runtime: apartments, the task allocator, and the class registry with in-process servers.

#include "platform/com/OaIdl.h"

enum COINIT : DWORD {
    COINIT_MULTITHREADED = 0x0,
    COINIT_APARTMENTTHREADED = 0x2,
    COINIT_DISABLE_OLE1DDE = 0x4,
    COINIT_SPEED_OVER_MEMORY = 0x8,
};

// Enters an apartment on the calling thread: S_OK the first time, S_FALSE when the thread is already
// in one of the same kind, RPC_E_CHANGED_MODE when it is in the other kind. Each success needs one
// CoUninitialize. Nothing is marshalled between apartments: they are records only.
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
// CoInitializeEx with a single-threaded apartment.
HRESULT CoInitialize(LPVOID pvReserved);
// Leaves the apartment once; the last call ends the thread's apartment.
void CoUninitialize();
// Allocates from the task allocator (freed with CoTaskMemFree).
LPVOID CoTaskMemAlloc(SIZE_T cb);
LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
// Frees task memory; null is allowed.
void CoTaskMemFree(LPVOID pv);
// The task allocator (dwMemContext must be 1).
HRESULT CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc);

enum CLSCTX : DWORD {
    CLSCTX_INPROC_SERVER = 0x1,
    CLSCTX_INPROC_HANDLER = 0x2,
    CLSCTX_LOCAL_SERVER = 0x4,
    CLSCTX_REMOTE_SERVER = 0x10,
    CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
    CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
    CLSCTX_ALL = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
};

struct COSERVERINFO;

// The class object (usually IClassFactory) of a class registered under
// HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32, loading its library on first use. Every context is
// served in-process. REGDB_E_CLASSNOTREG for an unregistered class, CO_E_DLLNOTFOUND when its library
// cannot be loaded, CO_E_ERRORINDLL when it lacks DllGetClassObject, CO_E_NOTINITIALIZED outside an
// apartment, otherwise what the library's DllGetClassObject answers.
HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, COSERVERINFO* pServerInfo, REFIID riid, LPVOID* ppv);
// Creates an object of the class (aggregated in pUnkOuter when given) through its class factory.
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);
// The class identifier of a ProgID, following CurVer to the current version; CO_E_CLASSSTRING when
// the ProgID is not registered.
HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
// The ProgID of a class (CoTaskMemAlloc'd); REGDB_E_CLASSNOTREG when it has none.
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID);
// A braced class identifier, or else a ProgID; CO_E_CLASSSTRING when it is neither.
HRESULT CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
// Unloads each library loaded for a class whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();

namespace platform {

// True when the calling thread is in an apartment.
bool IsComInitialized();
// The calling thread's apartment kind (COINIT_APARTMENTTHREADED or COINIT_MULTITHREADED); only
// meaningful while IsComInitialized().
DWORD CurrentApartmentKind();

} // namespace platform
