// The component's marshalling library. Calls into the component are in-process and never
// marshalled, so there is nothing to register: the exports only answer as a server library does.

#include "platform/com/AtlBase.h"

STDAPI DllCanUnloadNow() { return S_OK; }
STDAPI DllGetClassObject(REFCLSID, REFIID, void** ppv)
{
    if (ppv)
        *ppv = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}
STDAPI DllRegisterServer() { return S_OK; }
STDAPI DllUnregisterServer() { return S_OK; }
