#pragma once
// The collection through which a listing's caller reads the device list. It holds nothing of its
// own; destroying any collection object empties the process-wide list.

#include "platform/com/AtlBase.h"
#include "sync/Lumasync.h"

class QVSyncColl : public CComObjectRootEx<CComSingleThreadModel>,
                   public CComCoClass<QVSyncColl, &CLSID_QVSyncColl>,
                   public IDispatchImpl<IQVClientCollection> {
public:
    DECLARE_REGISTRY_RESOURCEID(101)

    BEGIN_COM_MAP(QVSyncColl)
    COM_INTERFACE_ENTRY(IQVClientCollection)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void FinalRelease();

    HRESULT Item(LONG iDeviceNum, VARIANT* vClientObj) override;
    HRESULT get_NumDevices(LONG* pVal) override;
};
