#pragma once
// ADOX.Catalog: the tables and stored queries of one library file.

#include "platform/ado/Adox.h"
#include "platform/ado/CatalogStore.h"
#include "platform/ado/ConnectionState.h"
#include "platform/com/AtlBase.h"

#include <functional>

namespace platform::ado {

class CCatalog : public CComObjectRootEx<CComMultiThreadModel>,
                 public CComCoClass<CCatalog, &ADOX::CLSID_Catalog>,
                 public IDispatchImpl<ADOX::_Catalog> {
public:
    DECLARE_REGISTRY_RESOURCEID(104)

    BEGIN_COM_MAP(CCatalog)
    COM_INTERFACE_ENTRY(ADOX::_Catalog)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    // Runs work on the catalog of the open file; a database failure becomes a provider error of the
    // connection and the failed result.
    HRESULT WithStore(const std::function<void(CatalogStore&)>& work);
    // The connection object, for the commands the catalog hands out.
    IUnknown* ConnectionObject() { return m_connection; }

    HRESULT get_Tables(ADOX::Tables** ppvObject) override;
    HRESULT get_ActiveConnection(VARIANT* pVal) override;
    HRESULT put_ActiveConnection(VARIANT pVal) override;
    HRESULT putref_ActiveConnection(IDispatch* pCon) override;
    HRESULT get_Procedures(ADOX::Procedures** ppvObject) override;
    HRESULT get_Views(ADOX::Views** ppvObject) override;
    HRESULT Create(BSTR ConnectString, VARIANT* Connection) override;

private:
    HRESULT Queries(bool views, ADOX::Procedures** ppvObject);

    CComPtr<IUnknown> m_connection;
    std::shared_ptr<ConnectionState> m_state;
};

} // namespace platform::ado
