#pragma once
// ADODB.Recordset: a static cursor over the rows of a statement, a stored query, a table or a
// command, with field access, moves, edits written back to the tables, sorting, clones, GetRows,
// GetString, rowset XML, and record binding.

#include "platform/ado/Ado.h"
#include "platform/ado/AdoRecordBinding.h"
#include "platform/ado/ConnectionState.h"
#include "platform/ado/RowSet.h"
#include "platform/com/AtlBase.h"

#include <functional>
#include <map>

namespace platform::ado {

class CRecordset : public CComObjectRootEx<CComMultiThreadModel>,
                   public CComCoClass<CRecordset, &CLSID_Recordset>,
                   public IDispatchImpl<_Recordset>,
                   public IADORecordBinding {
public:
    DECLARE_REGISTRY_RESOURCEID(103)

    BEGIN_COM_MAP(CRecordset)
    COM_INTERFACE_ENTRY(_Recordset)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IADORecordBinding)
    END_COM_MAP()

    // Opens on a source text over a connection object; 'affected' gets an action's row count.
    HRESULT OpenText(IUnknown* connection, const std::string& source, LONG options, CursorTypeEnum cursorType,
        LockTypeEnum lockType, LONG* affected);
    // Opens on a command object.
    HRESULT OpenCommand(IUnknown* command, LONG options, CursorTypeEnum cursorType, LockTypeEnum lockType, LONG* affected);

    // Field access for the Fields and Field objects.
    size_t FieldCount() const;
    const ResultColumn* Column(size_t column) const;
    long FindField(const std::string& name) const;
    HRESULT FieldValue(size_t column, VARIANT* out, bool original);
    HRESULT SetFieldValue(size_t column, const VARIANT& value);

    // _Recordset
    HRESULT get_AbsolutePosition(LONG* pl) override;
    HRESULT put_AbsolutePosition(LONG Position) override;
    HRESULT putref_ActiveConnection(IDispatch* pconn) override;
    HRESULT put_ActiveConnection(VARIANT vConn) override;
    HRESULT get_ActiveConnection(VARIANT* pvar) override;
    HRESULT get_BOF(VARIANT_BOOL* pb) override;
    HRESULT get_EOF(VARIANT_BOOL* pb) override;
    HRESULT get_CursorType(CursorTypeEnum* plCursorType) override;
    HRESULT put_CursorType(CursorTypeEnum lCursorType) override;
    HRESULT get_LockType(LockTypeEnum* plLockType) override;
    HRESULT put_LockType(LockTypeEnum lLockType) override;
    HRESULT get_CursorLocation(CursorLocationEnum* plCursorLoc) override;
    HRESULT put_CursorLocation(CursorLocationEnum lCursorLoc) override;
    HRESULT get_Fields(::Fields** ppvObject) override;
    HRESULT get_RecordCount(LONG* pl) override;
    HRESULT get_Source(VARIANT* pvSource) override;
    HRESULT get_State(LONG* plObjState) override;
    HRESULT get_Sort(BSTR* Criteria) override;
    HRESULT put_Sort(BSTR Criteria) override;
    HRESULT AddNew(VARIANT FieldList, VARIANT Values) override;
    HRESULT CancelUpdate() override;
    HRESULT Close() override;
    HRESULT Delete(AffectEnum AffectRecords) override;
    HRESULT GetRows(LONG Rows, VARIANT Start, VARIANT Fields, VARIANT* pvar) override;
    HRESULT Move(LONG NumRecords, VARIANT Start) override;
    HRESULT MoveNext() override;
    HRESULT MovePrevious() override;
    HRESULT MoveFirst() override;
    HRESULT MoveLast() override;
    HRESULT Open(VARIANT Source, VARIANT ActiveConnection, CursorTypeEnum CursorType, LockTypeEnum LockType, LONG Options) override;
    HRESULT Requery(LONG Options) override;
    HRESULT Update(VARIANT Fields, VARIANT Values) override;
    HRESULT Clone(LockTypeEnum LockType, _Recordset** ppvObject) override;
    HRESULT GetString(StringFormatEnum StringFormat, LONG NumRows, BSTR ColumnDelimeter, BSTR RowDelimeter, BSTR NullExpr,
        BSTR* pRetString) override;
    HRESULT Save(VARIANT Destination, PersistFormatEnum PersistFormat) override;

    // IADORecordBinding
    HRESULT BindToRecordset(CADORecordBinding* pAdoRecordBinding) override;
    HRESULT AddNew(CADORecordBinding* pAdoRecordBinding) override;
    HRESULT Update(CADORecordBinding* pAdoRecordBinding) override;

private:
    enum class EditMode { None, Editing, Adding };

    HRESULT Run(LONG* affected);
    HRESULT Fail(const DbError& error);
    HRESULT Fail(HRESULT result, const std::string& description);
    HRESULT RequireOpen();
    HRESULT RequireCurrentRow();
    HRESULT CommitPending();
    HRESULT SetPosition(long position);
    HRESULT ApplyFieldValues(const VARIANT& fields, const VARIANT& values);
    HRESULT ColumnsOf(const VARIANT& fields, std::vector<size_t>& columns);
    bool AtEnd() const;
    bool AtStart() const;
    void RefreshBinding();
    HRESULT PendingFromBinding(CADORecordBinding* binding);

    std::shared_ptr<ConnectionState> m_state;
    CComPtr<IUnknown> m_connection;
    std::shared_ptr<RowSet> m_rows;
    long m_position { 0 };
    std::string m_sourceText;
    std::string m_statement;
    std::string m_clientSort;
    std::vector<DbValue> m_parameters;
    CursorTypeEnum m_cursorType { adOpenForwardOnly };
    LockTypeEnum m_lockType { adLockReadOnly };
    CursorLocationEnum m_cursorLocation { adUseServer };
    EditMode m_editMode { EditMode::None };
    std::map<size_t, DbValue> m_pending;
    std::string m_sort;
    CADORecordBinding* m_binding { nullptr };
};

// Runs 'open' (which fills in the rows affected) on a fresh recordset, reports that count through
// 'recordsAffected' and hands the recordset out through 'out' when the caller asks for them.
HRESULT ExecuteToRecordset(const std::function<HRESULT(CRecordset&, LONG*)>& open, VARIANT* recordsAffected, _Recordset** out);

} // namespace platform::ado
