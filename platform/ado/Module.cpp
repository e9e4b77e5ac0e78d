// The library's module object, its four exports and its registration in the machine's classes.
// The classes are registered under the library's name ("msado15.dll"), which the component model
// finds in the program's folder, so a registration stays valid wherever the program is installed.

#include "platform/ado/AdoxObjects.h"
#include "platform/ado/Catalog.h"
#include "platform/ado/Command.h"
#include "platform/ado/Connection.h"
#include "platform/ado/JetEngine.h"
#include "platform/ado/Recordset.h"
#include "platform/base/Registry.h"

using namespace platform::ado;

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_Connection, CConnection)
OBJECT_ENTRY(CLSID_Command, CCommand)
OBJECT_ENTRY(CLSID_Recordset, CRecordset)
OBJECT_ENTRY(ADOX::CLSID_Catalog, CCatalog)
OBJECT_ENTRY(ADOX::CLSID_Table, CTable)
OBJECT_ENTRY(ADOX::CLSID_Index, CIndex)
OBJECT_ENTRY(ADOX::CLSID_Column, CColumn)
OBJECT_ENTRY(JRO::CLSID_JetEngine, CJetEngine)
END_OBJECT_MAP()

CComModule _Module(ObjectMap);

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) { return _Module.GetClassObject(rclsid, riid, ppv); }
STDAPI DllCanUnloadNow() { return _Module.DllCanUnloadNow(); }
STDAPI DllRegisterServer() { return _Module.RegisterServer(FALSE); }
STDAPI DllUnregisterServer() { return _Module.UnregisterServer(FALSE); }

HRESULT platform::EnsureDataAccessRegistered()
{
    // Registration is complete once the last class of the map is there.
    const std::string key = "CLSID\\" + platform::GuidToString(ObjectMap[std::size(ObjectMap) - 2].pclsid[0]) + "\\InprocServer32";
    HKEY found = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &found) == ERROR_SUCCESS) {
        RegCloseKey(found);
        return S_OK;
    }
    return _Module.RegisterServer(FALSE);
}
