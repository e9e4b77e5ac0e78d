#include "platform/ado/Catalog.h"

#include "platform/ado/AdoxObjects.h"
#include "platform/ado/ComHelpers.h"
#include "platform/ado/Connection.h"
#include "platform/ado/ConnectionString.h"
#include "platform/ado/VariantValues.h"

namespace platform::ado {

HRESULT CCatalog::WithStore(const std::function<void(CatalogStore&)>& work)
{
    const auto database = m_state ? m_state->OpenDatabase() : nullptr;
    if (!database)
        return SetThreadError(AdoErrorResult(adErrInvalidConnection), "The catalog has no open connection.");
    try {
        CatalogStore store(*database);
        work(store);
    } catch (const DbError& error) {
        return m_state->Fail(error);
    }
    return S_OK;
}

HRESULT CCatalog::get_Tables(ADOX::Tables** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    return MakeAndHandOut<CTables>(ppvObject, [&](CTables& tables) { tables.Init(this); });
}

HRESULT CCatalog::get_ActiveConnection(VARIANT* pVal) { return DispatchVariant(m_connection, pVal); }

HRESULT CCatalog::put_ActiveConnection(VARIANT pVal)
{
    const VARIANT* value = &pVal;
    while (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    if (value->vt == VT_DISPATCH || value->vt == VT_UNKNOWN) {
        CComPtr<IConnectionAccess> access;
        if (!value->punkVal || FAILED(value->punkVal->QueryInterface(platform::IidOf<IConnectionAccess>(), reinterpret_cast<void**>(&access))))
            return SetThreadError(AdoErrorResult(adErrInvalidConnection), "The object is not a connection of this library.");
        m_connection = value->punkVal;
        m_state = access->State();
        return S_OK;
    }
    if (value->vt != VT_BSTR)
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The connection is neither an object nor a connection string.");
    return OpenNewConnection(value->bstrVal, m_connection, &m_state);
}

HRESULT CCatalog::putref_ActiveConnection(IDispatch* pCon)
{
    CComVariant value(pCon);
    return put_ActiveConnection(value);
}

HRESULT CCatalog::Queries(bool views, ADOX::Procedures** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    return MakeAndHandOut<CProcedures>(ppvObject, [&](CProcedures& procedures) { procedures.Init(this, views); });
}

HRESULT CCatalog::get_Procedures(ADOX::Procedures** ppvObject) { return Queries(false, ppvObject); }
HRESULT CCatalog::get_Views(ADOX::Views** ppvObject) { return Queries(true, ppvObject); }

HRESULT CCatalog::Create(BSTR ConnectString, VARIANT* Connection)
{
    const std::string text = TextOfBstr(ConnectString);
    const auto path = DataSourcePath(text);
    if (!path)
        return SetThreadError(AdoErrorResult(adErrProviderNotFound), "The connection string names no data source.");
    std::shared_ptr<Database> database;
    try {
        database = Database::Open(*path, true);
        CatalogStore(*database).Initialize();
    } catch (const DbError& error) {
        return SetThreadError(ResultOf(error), error.what());
    }
    CComObject<CConnection>* connection = nullptr;
    HRESULT hr = MakeObject(&connection);
    if (FAILED(hr))
        return hr;
    CComPtr<_Connection> holder(connection);
    connection->Adopt(database, text);
    m_connection = holder;
    m_state = connection->State();
    if (Connection) {
        VariantClear(Connection);
        return DispatchVariant(m_connection, Connection);
    }
    return S_OK;
}

} // namespace platform::ado
