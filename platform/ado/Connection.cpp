#include "platform/ado/Connection.h"

#include "platform/ado/ComHelpers.h"
#include "platform/ado/ConnectionString.h"
#include "platform/ado/ErrorObjects.h"
#include "platform/ado/Recordset.h"
#include "platform/ado/VariantValues.h"

namespace platform::ado {

namespace {

// The version the library reports; callers require 2.6 or later.
constexpr const char* kVersion = "2.8";

} // namespace

void CConnection::Adopt(std::shared_ptr<Database> database, std::string connectionString)
{
    m_connectionString = std::move(connectionString);
    m_state->SetDatabase(std::move(database));
}

HRESULT CConnection::get_ConnectionString(BSTR* pbstr)
{
    if (!pbstr)
        return E_POINTER;
    *pbstr = AllocBstr(m_connectionString);
    return S_OK;
}

HRESULT CConnection::put_ConnectionString(BSTR bstr)
{
    if (m_state->OpenDatabase())
        return m_state->Fail(AdoErrorResult(adErrObjectOpen), "The operation is not allowed while the connection is open.");
    m_connectionString = TextOfBstr(bstr);
    return S_OK;
}

HRESULT CConnection::get_CommandTimeout(LONG* plTimeout)
{
    return CopyOut(plTimeout, m_commandTimeout);
}

HRESULT CConnection::put_CommandTimeout(LONG lTimeout)
{
    m_commandTimeout = lTimeout;
    return S_OK;
}

HRESULT CConnection::get_ConnectionTimeout(LONG* plTimeout)
{
    return CopyOut(plTimeout, m_connectionTimeout);
}

HRESULT CConnection::put_ConnectionTimeout(LONG lTimeout)
{
    m_connectionTimeout = lTimeout;
    return S_OK;
}

HRESULT CConnection::get_Version(BSTR* pbstr)
{
    if (!pbstr)
        return E_POINTER;
    *pbstr = AllocBstr(kVersion);
    return S_OK;
}

HRESULT CConnection::Open(BSTR ConnectionString, BSTR, BSTR, LONG)
{
    if (m_state->OpenDatabase())
        return m_state->Fail(AdoErrorResult(adErrObjectOpen), "The operation is not allowed while the connection is open.");
    if (ConnectionString && SysStringLen(ConnectionString) > 0)
        m_connectionString = TextOfBstr(ConnectionString);
    m_state->ClearErrors();
    const auto path = DataSourcePath(m_connectionString);
    if (!path)
        return m_state->Fail(AdoErrorResult(adErrProviderNotFound), "The connection string names no data source.");
    try {
        m_state->SetDatabase(Database::Open(*path, false));
    } catch (const DbError& error) {
        return m_state->Fail(error);
    }
    m_transactionLevel = 0;
    return S_OK;
}

HRESULT CConnection::Close()
{
    if (!m_state->OpenDatabase())
        return SetThreadError(AdoErrorResult(adErrObjectClosed), "The operation is not allowed when the object is closed.");
    if (m_transactionLevel > 0) {
        RunNative("ROLLBACK");
        m_transactionLevel = 0;
    }
    m_state->SetDatabase(nullptr);
    return S_OK;
}

HRESULT CConnection::Execute(BSTR CommandText, VARIANT* RecordsAffected, LONG Options, _Recordset** ppiRset)
{
    if (ppiRset)
        *ppiRset = nullptr;
    if (!m_state->OpenDatabase())
        return SetThreadError(AdoErrorResult(adErrObjectClosed), "The operation is not allowed when the object is closed.");
    return ExecuteToRecordset(
        [&](CRecordset& recordset, LONG* affected) {
            return recordset.OpenText(static_cast<_Connection*>(this), TextOfBstr(CommandText),
                Options == adOptionUnspecified ? adCmdUnknown : Options, adOpenForwardOnly, adLockReadOnly, affected);
        },
        RecordsAffected, ppiRset);
}

HRESULT CConnection::RunNative(const char* sql)
{
    const auto database = m_state->OpenDatabase();
    if (!database)
        return SetThreadError(AdoErrorResult(adErrObjectClosed), "The operation is not allowed when the object is closed.");
    try {
        database->ExecuteNative(sql);
    } catch (const DbError& error) {
        return m_state->Fail(error);
    }
    return S_OK;
}

HRESULT CConnection::BeginTrans(LONG* TransactionLevel)
{
    const HRESULT hr = RunNative(m_transactionLevel == 0 ? "BEGIN" : "SAVEPOINT ts_nested");
    if (FAILED(hr))
        return hr;
    ++m_transactionLevel;
    if (TransactionLevel)
        *TransactionLevel = m_transactionLevel;
    return S_OK;
}

HRESULT CConnection::CommitTrans()
{
    if (m_transactionLevel == 0)
        return m_state->Fail(E_FAIL, "No transaction is active.");
    const HRESULT hr = RunNative(m_transactionLevel == 1 ? "COMMIT" : "RELEASE ts_nested");
    if (SUCCEEDED(hr))
        --m_transactionLevel;
    else
        ForgetEndedTransaction();
    return hr;
}

HRESULT CConnection::RollbackTrans()
{
    if (m_transactionLevel == 0)
        return m_state->Fail(E_FAIL, "No transaction is active.");
    const HRESULT hr = RunNative(m_transactionLevel == 1 ? "ROLLBACK" : "ROLLBACK TO ts_nested; RELEASE ts_nested");
    if (SUCCEEDED(hr))
        --m_transactionLevel;
    else if (ForgetEndedTransaction())
        return S_OK; // the engine had rolled back already: nothing is left to undo
    return hr;
}

bool CConnection::ForgetEndedTransaction()
{
    const auto database = m_state->OpenDatabase();
    if (!database || database->InTransaction())
        return false;
    m_transactionLevel = 0;
    return true;
}

HRESULT CConnection::get_Errors(Errors** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    return MakeAndHandOut<CErrors>(ppvObject, [&](CErrors& errors) { errors.Init(m_state); });
}

HRESULT CConnection::get_CursorLocation(CursorLocationEnum* plCursorLoc)
{
    return CopyOut(plCursorLoc, m_cursorLocation);
}

HRESULT CConnection::put_CursorLocation(CursorLocationEnum lCursorLoc)
{
    if (lCursorLoc != adUseServer && lCursorLoc != adUseClient && lCursorLoc != adUseNone)
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The cursor location is not valid.");
    m_cursorLocation = lCursorLoc;
    return S_OK;
}

HRESULT CConnection::get_State(LONG* plObjState)
{
    if (!plObjState)
        return E_POINTER;
    *plObjState = m_state->OpenDatabase() ? adStateOpen : adStateClosed;
    return S_OK;
}

HRESULT CConnection::Cancel() { return S_OK; }

HRESULT OpenNewConnection(BSTR connectionString, CComPtr<IUnknown>& connection, std::shared_ptr<ConnectionState>* state)
{
    CComObject<CConnection>* opened = nullptr;
    HRESULT hr = MakeObject(&opened);
    if (FAILED(hr))
        return hr;
    CComPtr<_Connection> holder(opened);
    hr = opened->Open(connectionString, nullptr, nullptr, adOptionUnspecified);
    if (FAILED(hr))
        return hr;
    connection = holder;
    if (state)
        *state = opened->State();
    return S_OK;
}

HRESULT AssignActiveConnection(const VARIANT& value, CComPtr<IUnknown>& connection)
{
    if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) {
        connection = value.punkVal;
        return S_OK;
    }
    if (value.vt == VT_BSTR)
        return OpenNewConnection(value.bstrVal, connection);
    if (IsMissing(value) || value.vt == VT_NULL) {
        connection.Release();
        return S_OK;
    }
    return E_INVALIDARG;
}

} // namespace platform::ado
