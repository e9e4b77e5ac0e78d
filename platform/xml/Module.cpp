// The library's module object, its four exports and its registration in the machine's classes,
// under the library's name ("msxml3.dll"), which the component model finds in the program's folder.

#include "platform/base/Registry.h"
#include "platform/xml/DomDocument.h"
#include "platform/xml/XslTemplate.h"

using namespace platform::xml;

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_DOMDocument30, CDOMDocument30)
OBJECT_ENTRY(CLSID_FreeThreadedDOMDocument30, CFreeThreadedDOMDocument30)
OBJECT_ENTRY(CLSID_XSLTemplate30, CXslTemplate)
END_OBJECT_MAP()

CComModule _Module(ObjectMap);

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) { return _Module.GetClassObject(rclsid, riid, ppv); }
STDAPI DllCanUnloadNow() { return _Module.DllCanUnloadNow(); }
STDAPI DllRegisterServer() { return _Module.RegisterServer(FALSE); }
STDAPI DllUnregisterServer() { return _Module.UnregisterServer(FALSE); }

HRESULT platform::EnsureXmlRegistered()
{
    // Registration is complete once the last class of the map is there.
    const std::string key
        = "CLSID\\" + platform::GuidToString(ObjectMap[std::size(ObjectMap) - 2].pclsid[0]) + "\\InprocServer32";
    HKEY found = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &found) == ERROR_SUCCESS) {
        RegCloseKey(found);
        return S_OK;
    }
    return _Module.RegisterServer(FALSE);
}
