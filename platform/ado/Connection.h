#pragma once
// ADODB.Connection: one open library file and its provider errors.

#include "platform/ado/Ado.h"
#include "platform/ado/ConnectionState.h"
#include "platform/com/AtlBase.h"

namespace platform::ado {

class CConnection : public CComObjectRootEx<CComMultiThreadModel>,
                    public CComCoClass<CConnection, &CLSID_Connection>,
                    public IDispatchImpl<_Connection>,
                    public IConnectionAccess {
public:
    DECLARE_REGISTRY_RESOURCEID(101)

    BEGIN_COM_MAP(CConnection)
    COM_INTERFACE_ENTRY(_Connection)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IConnectionAccess)
    END_COM_MAP()

    // Takes over an already open database (the catalog's Create); the connection is open after it.
    void Adopt(std::shared_ptr<Database> database, std::string connectionString);

    std::shared_ptr<ConnectionState> State() override { return m_state; }

    HRESULT get_ConnectionString(BSTR* pbstr) override;
    HRESULT put_ConnectionString(BSTR bstr) override;
    HRESULT get_CommandTimeout(LONG* plTimeout) override;
    HRESULT put_CommandTimeout(LONG lTimeout) override;
    HRESULT get_ConnectionTimeout(LONG* plTimeout) override;
    HRESULT put_ConnectionTimeout(LONG lTimeout) override;
    HRESULT get_Version(BSTR* pbstr) override;
    HRESULT Close() override;
    HRESULT Execute(BSTR CommandText, VARIANT* RecordsAffected, LONG Options, _Recordset** ppiRset) override;
    HRESULT BeginTrans(LONG* TransactionLevel) override;
    HRESULT CommitTrans() override;
    HRESULT RollbackTrans() override;
    HRESULT Open(BSTR ConnectionString, BSTR UserID, BSTR Password, LONG Options) override;
    HRESULT get_Errors(Errors** ppvObject) override;
    HRESULT get_CursorLocation(CursorLocationEnum* plCursorLoc) override;
    HRESULT put_CursorLocation(CursorLocationEnum lCursorLoc) override;
    HRESULT get_State(LONG* plObjState) override;
    HRESULT Cancel() override;

private:
    HRESULT RunNative(const char* sql);
    // After a failed commit or rollback: when the engine has ended the transaction itself (an I/O error
    // or a full disk rolls it back), the nesting count follows, so the next BeginTrans begins anew
    // instead of opening a savepoint in nothing. True when that was the case.
    bool ForgetEndedTransaction();

    std::shared_ptr<ConnectionState> m_state { std::make_shared<ConnectionState>() };
    std::string m_connectionString;
    CursorLocationEnum m_cursorLocation { adUseServer };
    LONG m_commandTimeout { 30 };
    LONG m_connectionTimeout { 15 };
    LONG m_transactionLevel { 0 };
};

// Opens a new connection on a connection string. Only on success does 'connection' hold it and, when
// asked for, 'state' name its shared state; on failure both are left as they were.
HRESULT OpenNewConnection(BSTR connectionString, CComPtr<IUnknown>& connection, std::shared_ptr<ConnectionState>* state = nullptr);
// Points 'connection' at what an ActiveConnection value names: an object, a new connection opened on
// a connection string, or none (missing or null); E_INVALIDARG for anything else.
HRESULT AssignActiveConnection(const VARIANT& value, CComPtr<IUnknown>& connection);

} // namespace platform::ado
