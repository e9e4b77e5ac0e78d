#include "app/DeviceConnection.h"

#include "app/CPelicanApp.h"
#include "app/WideText.h"
#include "library/LibraryLocations.h"
#include "platform/base/CodePage.h"
#include "platform/com/CComBSTR.h"
#include "platform/com/CComPtr.h"
#include "platform/com/ObjBase.h"
#include "platform/com/OleAuto.h"
#include "sync/Lumasync.h"

int ConnectLibraryDevice(IQVClientDevice** device)
{
    *device = nullptr;
    // One connection object per call; releasing it on every path is CComPtr's.
    CComPtr<IQVClientConnection> connection;
    if (FAILED(::CoCreateInstance(CLSID_QVSyncConnection, nullptr, CLSCTX_INPROC_SERVER,
            platform::IidOf<IQVClientConnection>(), reinterpret_cast<void**>(&connection.p)))
        || !connection)
        return kNoConnectionObject;

    const CPelicanApp* app = GetPelicanApp();
    VARIANT opened;
    VariantInit(&opened);
    // The component does not examine the password, so no failure here stands for a wrong one.
    if (FAILED(connection->OpenDevice(WideText(app->m_strAddress), WideText(""), WideText(GetDatabaseConnectionString()), 1,
            WideText(app->m_strPassword), &opened)))
        return kOpenDeviceFailed;
    if ((opened.vt != VT_UNKNOWN && opened.vt != VT_DISPATCH) || opened.punkVal == nullptr) {
        VariantClear(&opened);
        return kNoDeviceInterface;
    }
    const HRESULT asked = opened.punkVal->QueryInterface(platform::IidOf<IQVClientDevice>(), reinterpret_cast<void**>(device));
    VariantClear(&opened);
    if (FAILED(asked) || *device == nullptr) {
        if (*device)
            (*device)->Release();
        *device = nullptr;
        return kNoDeviceInterface;
    }
    // The device keeps a value of its own under the maker's and device's key.
    (*device)->put_OEMName(WideText(app->m_strMaker));
    (*device)->put_DeviceName(WideText(app->m_strDeviceName));
    return kDeviceConnected;
}
