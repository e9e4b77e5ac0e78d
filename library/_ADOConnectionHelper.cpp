#include "library/_ADOConnectionHelper.h"

#include "app/CPelicanApp.h"
#include "library/ConnectionString.h"
#include "library/ResultChecking.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/afx/CString.h"
#include "platform/com/BstrT.h"
#include "platform/com/ComError.h"

namespace {

// The tables whose rows carry the change flags, in the order the pending-changes test asks them.
constexpr const char* kChangeTrackedTables[] = { "tMusicMain", "tMusicTracks", "tGroup", "tGroupList", "tIRadioMain",
    "tPlaylists", "tPlaylistTracks", "tRadioStream", "tIRadioGroup", "tIRadioGroupList", "tCustomerISPInfo",
    "tCustomerMain" };

VARIANT Missing()
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ERROR;
    v.scode = DISP_E_PARAMNOTFOUND;
    return v;
}

// How a parameter value is bound: texts as text, dates as dates (their time of day matters), every
// other value as an integer.
DataTypeEnum ParameterTypeOf(const VARIANT& value)
{
    if (value.vt == VT_BSTR || value.vt == (VT_BSTR | VT_BYREF))
        return adVarChar;
    if (value.vt == VT_DATE || value.vt == (VT_DATE | VT_BYREF))
        return adDate;
    return adInteger;
}

// Closes and lets go of a record set that is no longer wanted; a failed close was already shown.
void Discard(_Recordset* recordset, _Connection* connection)
{
    if (!CloseRecordset(&recordset, false, connection) && recordset != nullptr)
        recordset->Release();
}

// Gives a freshly opened record set to the caller, or closes it when the caller wants none.
void HandOver(_RecordsetPtr& made, _Recordset** recordset, _Connection* connection)
{
    if (recordset != nullptr)
        *recordset = made.Detach();
    else
        Discard(made.Detach(), connection);
}

} // namespace

_ADOConnectionHelper theLibraryConnection;

_ADOConnectionHelper::~_ADOConnectionHelper() { Close(); }

bool _ADOConnectionHelper::Close()
{
    if (m_pConnection == nullptr)
        return true;
    bool closed = true;
    try {
        LONG state = adStateClosed;
        CheckResult(m_pConnection->get_State(&state), m_pConnection);
        if (state != adStateClosed) {
            CheckResult(m_pConnection->Cancel(), m_pConnection);
            CheckResult(m_pConnection->Close(), m_pConnection);
        }
    } catch (const _com_error&) {
        closed = false;
    }
    m_pConnection.Attach(nullptr);
    m_recordsetClass.Release();
    m_commandClass.Release();
    return closed;
}

bool _ADOConnectionHelper::Open(LPCTSTR connectionString)
{
    if (!Close())
        return false;
    try {
        CheckResult(m_pConnection.CreateInstance(CLSID_Connection));
        CheckResult(m_pConnection->put_ConnectionString(_bstr_t(connectionString != nullptr ? connectionString : "")), m_pConnection);
        CheckResult(m_pConnection->put_CursorLocation(adUseServer), m_pConnection);
        CheckResult(m_pConnection->Open(_bstr_t(""), _bstr_t(""), _bstr_t(""), adOptionUnspecified), m_pConnection);
    } catch (const _com_error&) {
        m_pConnection.Attach(nullptr);
        return false;
    }
    m_recordsetClass.Keep();
    m_commandClass.Keep();
    return true;
}

bool _ADOConnectionHelper::OpenDatabase(LPCTSTR path) { return Open(MakeConnectionString(path)); }

bool _ADOConnectionHelper::ExecuteSql(LPCTSTR sql, _Recordset** recordset, long options)
{
    if (recordset != nullptr && *recordset != nullptr) {
        try {
            CloseRecordset(recordset, true, m_pConnection);
        } catch (const _com_error&) {
            return false;
        }
    }
    _RecordsetPtr made;
    try {
        CheckResult(m_recordsetClass.Make(made));
        CheckResult(made->put_CursorLocation(adUseServer));
        _variant_t connection(static_cast<IDispatch*>(m_pConnection.GetInterfacePtr()));
        HRESULT opened = S_OK;
        {
            // Only the run itself is held: an error box shown afterwards never keeps a batch waiting.
            const std::lock_guard run(m_transactionLock);
            opened = made->Open(_variant_t(sql != nullptr ? sql : ""), connection, adOpenStatic, adLockOptimistic, options);
        }
        CheckResult(opened, m_pConnection);
    } catch (const _com_error&) {
        Discard(made.Detach(), nullptr);
        return false;
    }
    HandOver(made, recordset, m_pConnection);
    return true;
}

bool _ADOConnectionHelper::RunStoredQuery(
    LPCTSTR name, const VARIANT* parameters, int count, _Recordset** recordset, _Command** command, long options)
{
    if (recordset != nullptr && *recordset != nullptr && !CloseRecordset(recordset, false, m_pConnection)) {
        // The failure was shown; the old record set is let go and the query still runs.
        (*recordset)->Release();
        *recordset = nullptr;
    }
    _CommandPtr madeCommand;
    _RecordsetPtr madeRecordset;
    try {
        if (command != nullptr && *command != nullptr) {
            const HRESULT cancelled = (*command)->Cancel();
            (*command)->Release();
            *command = nullptr;
            CheckResult(cancelled, m_pConnection);
        }
        CheckResult(m_commandClass.Make(madeCommand));
        CheckResult(madeCommand->putref_ActiveConnection(m_pConnection), m_pConnection);
        CheckResult(madeCommand->put_CommandText(_bstr_t(name != nullptr ? name : "")), m_pConnection);
        ParametersPtr list;
        CheckResult(madeCommand->get_Parameters(&list), m_pConnection);
        for (int i = 0; i < count && parameters != nullptr; ++i) {
            _ParameterPtr parameter;
            CheckResult(madeCommand->CreateParameter(_bstr_t(""), ParameterTypeOf(parameters[i]), adParamInput, -1,
                            parameters[i], &parameter),
                m_pConnection);
            CheckResult(list->Append(parameter), m_pConnection);
        }
        CheckResult(m_recordsetClass.Make(madeRecordset));
        CheckResult(madeRecordset->put_CursorLocation(adUseServer));
        _variant_t source(static_cast<IDispatch*>(madeCommand.GetInterfacePtr()));
        HRESULT opened = S_OK;
        {
            const std::lock_guard run(m_transactionLock);
            opened = madeRecordset->Open(source, Missing(), adOpenStatic, adLockOptimistic, options);
        }
        CheckResult(opened, m_pConnection);
    } catch (const _com_error&) {
        if (madeRecordset != nullptr)
            Discard(madeRecordset.Detach(), nullptr);
        if (madeCommand != nullptr)
            madeCommand->Cancel();
        return false;
    }
    HandOver(madeRecordset, recordset, m_pConnection);
    if (command != nullptr)
        *command = madeCommand.Detach();
    else
        madeCommand->Cancel();
    return true;
}

_variant_t _ADOConnectionHelper::ExecuteScalar(LPCTSTR sql, long options)
{
    _ADORecordsetHelper rows;
    if (!ExecuteSql(sql, rows.ReceivePointer(), options) || !rows.HasRecordset())
        return _variant_t();
    return rows.GetValueAt(0, 0);
}

_variant_t _ADOConnectionHelper::RunStoredQueryScalar(LPCTSTR name, const VARIANT* parameters, int count, long options)
{
    _ADORecordsetHelper rows;
    if (!RunStoredQuery(name, parameters, count, rows.ReceivePointer(), nullptr, options) || !rows.HasRecordset())
        return _variant_t();
    return rows.GetValueAt(0, 0);
}

bool _ADOConnectionHelper::DeleteAllRows(LPCTSTR table)
{
    return ExecuteSql(CString("DELETE * FROM ") + (table != nullptr ? table : ""), nullptr, adCmdUnknown);
}

bool _ADOConnectionHelper::BeginTrans()
{
    LONG level = 0;
    return m_pConnection != nullptr && Checked(m_pConnection->BeginTrans(&level));
}

bool _ADOConnectionHelper::CommitTrans() { return m_pConnection != nullptr && Checked(m_pConnection->CommitTrans()); }

bool _ADOConnectionHelper::RollbackTrans() { return m_pConnection != nullptr && Checked(m_pConnection->RollbackTrans()); }

bool _ADOConnectionHelper::Checked(HRESULT result)
{
    try {
        CheckResult(result, m_pConnection);
    } catch (const _com_error&) {
        return false;
    }
    return true;
}

bool _ADOConnectionHelper::DMaxValue(LPCTSTR table, LPCTSTR field, VARIANT* out, LPCTSTR criteria)
{
    if (out == nullptr)
        return false;
    VariantClear(out);
    const auto text = [](LPCTSTR s) { return s != nullptr ? s : ""; };
    CString sql;
    if (criteria != nullptr)
        sql.Format("SELECT DMax('%s','%s', '%s') AS Expr1", text(field), text(table), criteria);
    else
        sql.Format("SELECT DMax('%s','%s') AS Expr1", text(field), text(table));
    _variant_t value = theLibraryConnection.ExecuteScalar(sql, adCmdText);
    *out = value.Detach();
    return out->vt != VT_EMPTY;
}

long _ADOConnectionHelper::CountChangedRows(LPCTSTR table)
{
    const CString sql = CString("SELECT COUNT(*) As Expr1 FROM ") + (table != nullptr ? table : "")
        + " WHERE [ModifyFlag]=True OR [DeleteFlag]=True;";
    const _variant_t count = theLibraryConnection.ExecuteScalar(sql, adCmdText);
    return count.vt == VT_I4 ? count.lVal : 0;
}

bool _ADOConnectionHelper::HasPendingChanges()
{
    for (const char* table : kChangeTrackedTables) {
        if (CountChangedRows(table) > 0)
            return true;
    }
    return false;
}

bool IsDeviceLibraryOpen()
{
    const CPelicanApp* app = GetPelicanApp();
    return theLibraryConnection.IsOpen() && (app == nullptr || app->m_bLocalLibrary == FALSE);
}
