// The control's module object and its four exports.

#include "platform/cddb/CCdLookupControl.h"
#include "platform/cddb/CFileIdentifier.h"
#include "platform/cddb/CTagReader.h"

using namespace platform::cddb;

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_TagReader, CTagReader)
OBJECT_ENTRY(CLSID_CdLookupControl, CCdLookupControl)
OBJECT_ENTRY(CLSID_FileIdentifier, CFileIdentifier)
END_OBJECT_MAP()

// Internal: the data-access library, loaded into the same processes, has a module object of the same name
// that a global one here would bind to.
static CComModule _Module(ObjectMap);

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) { return _Module.GetClassObject(rclsid, riid, ppv); }
STDAPI DllCanUnloadNow() { return _Module.DllCanUnloadNow(); }
STDAPI DllRegisterServer() { return _Module.RegisterServer(FALSE); }
STDAPI DllUnregisterServer() { return _Module.UnregisterServer(FALSE); }
