// The component's module object and its four exports. The classes are registered under the
// library's own name, which the component model finds in the program's folder.

#include "platform/com/AtlBase.h"
#include "sync/Lumasync.h"
#include "sync/QVSyncColl.h"
#include "sync/QVSyncConnection.h"
#include "sync/QVSyncDevice.h"

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_QVSyncColl, QVSyncColl)
OBJECT_ENTRY(CLSID_QVSyncDevice, QVSyncDevice)
OBJECT_ENTRY(CLSID_QVSyncConnection, QVSyncConnection)
END_OBJECT_MAP()

CComModule _Module(ObjectMap);

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) { return _Module.GetClassObject(rclsid, riid, ppv); }
STDAPI DllCanUnloadNow() { return _Module.DllCanUnloadNow(); }
STDAPI DllRegisterServer() { return _Module.RegisterServer(TRUE); }
STDAPI DllUnregisterServer() { return _Module.UnregisterServer(TRUE); }
