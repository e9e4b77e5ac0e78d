#include "sync/QVSyncColl.h"

#include "sync/DeviceList.h"

void QVSyncColl::FinalRelease() { DeviceList::Clear(); }

HRESULT QVSyncColl::Item(LONG iDeviceNum, VARIANT* vClientObj)
{
    if (iDeviceNum < 0 || static_cast<std::size_t>(iDeviceNum) >= DeviceList::Count())
        return E_INVALIDARG;
    if (!vClientObj)
        return E_POINTER;
    IQVClient* item = DeviceList::Item(static_cast<std::size_t>(iDeviceNum));
    IUnknown* unknown = nullptr;
    const HRESULT hr = item->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown));
    item->Release();
    if (FAILED(hr))
        return hr;
    VariantInit(vClientObj);
    vClientObj->vt = VT_UNKNOWN;
    vClientObj->punkVal = unknown;
    return hr;
}

HRESULT QVSyncColl::get_NumDevices(LONG* pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = static_cast<LONG>(DeviceList::Count());
    return S_OK;
}
