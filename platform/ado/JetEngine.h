#pragma once
// JRO.JetEngine: compaction of library files.

#include "platform/ado/Jro.h"
#include "platform/com/AtlBase.h"

namespace platform::ado {

class CJetEngine : public CComObjectRootEx<CComMultiThreadModel>,
                   public CComCoClass<CJetEngine, &JRO::CLSID_JetEngine>,
                   public IDispatchImpl<JRO::IJetEngine> {
public:
    DECLARE_REGISTRY_RESOURCEID(108)

    BEGIN_COM_MAP(CJetEngine)
    COM_INTERFACE_ENTRY(JRO::IJetEngine)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    HRESULT CompactDatabase(BSTR SourceConnection, BSTR Destconnection) override;
    HRESULT RefreshCache(_Connection* Connection) override;
};

} // namespace platform::ado
