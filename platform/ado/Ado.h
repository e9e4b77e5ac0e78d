#pragma once
// The data-access objects as their clients see them: connections, commands with parameters, record
// sets with fields, and the provider's error list, each with its smart-pointer type. Every method
// returns an HRESULT; a failure from the database also leaves a provider error in the connection's
// Errors and the engine's text in the thread's error information.
//
//     _ConnectionPtr connection;
//     connection.CreateInstance(CLSID_Connection);             // or u"ADODB.Connection"
//     connection->put_ConnectionString(_bstr_t("Provider=...;Data Source=Z:\\lib\\Tune Steward.mdb"));
//     connection->Open(nullptr, nullptr, nullptr, adOptionUnspecified);

#include "platform/ado/AdoConstants.h"
#include "platform/com/ComDef.h"
#include "platform/com/OleAuto.h"

struct _Connection;
struct _Recordset;
struct _Command;

// One provider error.
struct Error : IDispatch {
    virtual HRESULT get_Number(LONG* pl) = 0;
    virtual HRESULT get_Source(BSTR* pbstr) = 0;
    virtual HRESULT get_Description(BSTR* pbstr) = 0;
    virtual HRESULT get_HelpFile(BSTR* pbstr) = 0;
    virtual HRESULT get_HelpContext(LONG* pl) = 0;
    virtual HRESULT get_SQLState(BSTR* pbstr) = 0;
    virtual HRESULT get_NativeError(LONG* pl) = 0;
};

// The errors of a connection's last failed operation, oldest first.
struct Errors : IDispatch {
    virtual HRESULT get_Count(LONG* c) = 0;
    // The error at a position (a number from 0); adErrItemNotFound outside the list.
    virtual HRESULT get_Item(VARIANT Index, Error** ppvObject) = 0;
    virtual HRESULT Clear() = 0;
};

struct _Connection : IDispatch {
    virtual HRESULT get_ConnectionString(BSTR* pbstr) = 0;
    // The provider text; "Data Source=" (any case) names the library file. Refused while open.
    virtual HRESULT put_ConnectionString(BSTR bstr) = 0;
    virtual HRESULT get_CommandTimeout(LONG* plTimeout) = 0;
    virtual HRESULT put_CommandTimeout(LONG lTimeout) = 0;
    virtual HRESULT get_ConnectionTimeout(LONG* plTimeout) = 0;
    virtual HRESULT put_ConnectionTimeout(LONG lTimeout) = 0;
    // The library's version text ("2.6" or later).
    virtual HRESULT get_Version(BSTR* pbstr) = 0;
    virtual HRESULT Close() = 0;
    // Runs a statement (or a stored query's name) and hands back its rows, opened read-only.
    virtual HRESULT Execute(BSTR CommandText, VARIANT* RecordsAffected, LONG Options, _Recordset** ppiRset) = 0;
    virtual HRESULT BeginTrans(LONG* TransactionLevel) = 0;
    virtual HRESULT CommitTrans() = 0;
    virtual HRESULT RollbackTrans() = 0;
    // Opens the file named by ConnectionString (or by a non-empty first argument).
    virtual HRESULT Open(BSTR ConnectionString, BSTR UserID, BSTR Password, LONG Options) = 0;
    virtual HRESULT get_Errors(Errors** ppvObject) = 0;
    virtual HRESULT get_CursorLocation(CursorLocationEnum* plCursorLoc) = 0;
    virtual HRESULT put_CursorLocation(CursorLocationEnum lCursorLoc) = 0;
    // adStateOpen or adStateClosed.
    virtual HRESULT get_State(LONG* plObjState) = 0;
    // Nothing runs asynchronously, so there is never anything to cancel.
    virtual HRESULT Cancel() = 0;
};

// One field of the current row.
struct Field : IDispatch {
    virtual HRESULT get_ActualSize(LONG* pl) = 0;
    virtual HRESULT get_DefinedSize(LONG* pl) = 0;
    virtual HRESULT get_Name(BSTR* pbstr) = 0;
    virtual HRESULT get_Type(DataTypeEnum* pDataType) = 0;
    // The value in the engine's type: VT_I4, VT_BOOL, VT_DATE, VT_BSTR..., VT_NULL for Null.
    virtual HRESULT get_Value(VARIANT* pvar) = 0;
    // Sets the value of the current row (or of the row being added); written by Update.
    virtual HRESULT put_Value(VARIANT Val) = 0;
    virtual HRESULT get_OriginalValue(VARIANT* pvar) = 0;
};

struct Fields : IDispatch {
    virtual HRESULT get_Count(LONG* c) = 0;
    // A field by name (case ignored) or position; adErrItemNotFound when there is none.
    virtual HRESULT get_Item(VARIANT Index, Field** ppvObject) = 0;
};

struct _Parameter : IDispatch {
    virtual HRESULT get_Name(BSTR* pbstr) = 0;
    virtual HRESULT put_Name(BSTR bstr) = 0;
    virtual HRESULT get_Value(VARIANT* pvar) = 0;
    virtual HRESULT put_Value(VARIANT val) = 0;
    virtual HRESULT get_Type(DataTypeEnum* psDataType) = 0;
    virtual HRESULT put_Type(DataTypeEnum sDataType) = 0;
    virtual HRESULT get_Direction(ParameterDirectionEnum* plParmDirection) = 0;
    virtual HRESULT put_Direction(ParameterDirectionEnum lParmDirection) = 0;
    virtual HRESULT get_Size(LONG* pl) = 0;
    virtual HRESULT put_Size(LONG l) = 0;
};

// A command's parameters, bound to the statement by position.
struct Parameters : IDispatch {
    virtual HRESULT get_Count(LONG* c) = 0;
    virtual HRESULT get_Item(VARIANT Index, _Parameter** ppvObject) = 0;
    virtual HRESULT Append(IDispatch* Object) = 0;
    virtual HRESULT Delete(VARIANT Index) = 0;
    virtual HRESULT Refresh() = 0;
};

struct _Command : IDispatch {
    // The connection object (VT_DISPATCH), or VT_EMPTY when none is set.
    virtual HRESULT get_ActiveConnection(VARIANT* pvar) = 0;
    // A connection object or a connection string (which opens a connection of the command's own).
    virtual HRESULT put_ActiveConnection(VARIANT vConn) = 0;
    virtual HRESULT putref_ActiveConnection(_Connection* pCon) = 0;
    virtual HRESULT get_CommandText(BSTR* pbstr) = 0;
    virtual HRESULT put_CommandText(BSTR bstr) = 0;
    virtual HRESULT get_CommandTimeout(LONG* pl) = 0;
    virtual HRESULT put_CommandTimeout(LONG Timeout) = 0;
    virtual HRESULT get_Prepared(VARIANT_BOOL* pfPrepared) = 0;
    virtual HRESULT put_Prepared(VARIANT_BOOL fPrepared) = 0;
    // Runs the command with its parameters (or with the values of a VARIANT array given here); rows
    // come back in a static read-only record set, which is closed for an action statement.
    virtual HRESULT Execute(VARIANT* RecordsAffected, VARIANT* Parameters, LONG Options, _Recordset** ppiRs) = 0;
    virtual HRESULT CreateParameter(BSTR Name, DataTypeEnum Type, ParameterDirectionEnum Direction, LONG Size,
        VARIANT Value, _Parameter** ppiprm)
        = 0;
    virtual HRESULT get_Parameters(Parameters** ppvObject) = 0;
    virtual HRESULT put_CommandType(CommandTypeEnum lCmdType) = 0;
    virtual HRESULT get_CommandType(CommandTypeEnum* plCmdType) = 0;
    virtual HRESULT get_Name(BSTR* pbstrName) = 0;
    virtual HRESULT put_Name(BSTR bstrName) = 0;
    virtual HRESULT get_State(LONG* plObjState) = 0;
    virtual HRESULT Cancel() = 0;
};

struct _Recordset : IDispatch {
    virtual HRESULT get_AbsolutePosition(LONG* pl) = 0;
    virtual HRESULT put_AbsolutePosition(LONG Position) = 0;
    virtual HRESULT putref_ActiveConnection(IDispatch* pconn) = 0;
    virtual HRESULT put_ActiveConnection(VARIANT vConn) = 0;
    virtual HRESULT get_ActiveConnection(VARIANT* pvar) = 0;
    virtual HRESULT get_BOF(VARIANT_BOOL* pb) = 0;
    virtual HRESULT get_EOF(VARIANT_BOOL* pb) = 0;
    virtual HRESULT get_CursorType(CursorTypeEnum* plCursorType) = 0;
    virtual HRESULT put_CursorType(CursorTypeEnum lCursorType) = 0;
    virtual HRESULT get_LockType(LockTypeEnum* plLockType) = 0;
    virtual HRESULT put_LockType(LockTypeEnum lLockType) = 0;
    virtual HRESULT get_CursorLocation(CursorLocationEnum* plCursorLoc) = 0;
    virtual HRESULT put_CursorLocation(CursorLocationEnum lCursorLoc) = 0;
    virtual HRESULT get_Fields(Fields** ppvObject) = 0;
    virtual HRESULT get_RecordCount(LONG* pl) = 0;
    virtual HRESULT get_Source(VARIANT* pvSource) = 0;
    virtual HRESULT get_State(LONG* plObjState) = 0;
    virtual HRESULT get_Sort(BSTR* Criteria) = 0;
    // "Name [ASC|DESC], ..." reorders the rows (an empty text restores the original order).
    virtual HRESULT put_Sort(BSTR Criteria) = 0;
    // Starts a new row; values given here (a field or an array of fields, and their values) are set.
    virtual HRESULT AddNew(VARIANT FieldList, VARIANT Values) = 0;
    virtual HRESULT CancelUpdate() = 0;
    // Ends the record set; 0x800A0E78 when it is already closed.
    virtual HRESULT Close() = 0;
    virtual HRESULT Delete(AffectEnum AffectRecords) = 0;
    // Up to Rows rows (adGetRowsRest: all) from Start (a bookmark, or missing for the current row) as
    // a two-dimensional array [field][row]; the position moves past them.
    virtual HRESULT GetRows(LONG Rows, VARIANT Start, VARIANT Fields, VARIANT* pvar) = 0;
    virtual HRESULT Move(LONG NumRecords, VARIANT Start) = 0;
    virtual HRESULT MoveNext() = 0;
    virtual HRESULT MovePrevious() = 0;
    virtual HRESULT MoveFirst() = 0;
    virtual HRESULT MoveLast() = 0;
    // Opens rows from SQL text, a stored query's or table's name (a table name may be followed by
    // " ORDER BY ..."), or a command object.
    virtual HRESULT Open(VARIANT Source, VARIANT ActiveConnection, CursorTypeEnum CursorType, LockTypeEnum LockType,
        LONG Options)
        = 0;
    // Runs the source again.
    virtual HRESULT Requery(LONG Options) = 0;
    // Writes the current row (a new one, or the changed fields); values may be given here too.
    virtual HRESULT Update(VARIANT Fields, VARIANT Values) = 0;
    // A second record set on the same rows.
    virtual HRESULT Clone(LockTypeEnum LockType, _Recordset** ppvObject) = 0;
    // Rows as text: fields joined by ColumnDelimeter, each row ended by RowDelimeter, Null as NullExpr.
    virtual HRESULT GetString(StringFormatEnum StringFormat, LONG NumRows, BSTR ColumnDelimeter, BSTR RowDelimeter,
        BSTR NullExpr, BSTR* pRetString)
        = 0;
    // Writes the rows as rowset XML (adPersistXML) into a new file (a path) or into a document object
    // (through its loadXML method).
    virtual HRESULT Save(VARIANT Destination, PersistFormatEnum PersistFormat) = 0;
};

TS_DEFINE_IID(Error, "00000500-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(Errors, "00000501-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(_Connection, "00000550-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(Field, "00000569-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(Fields, "00000564-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(_Parameter, "0000050C-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(Parameters, "0000050D-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(_Command, "0000054E-0000-0010-8000-00AA006D2EA4");
TS_DEFINE_IID(_Recordset, "00000556-0000-0010-8000-00AA006D2EA4");

inline constexpr CLSID CLSID_Connection = platform::MakeGuid("00000514-0000-0010-8000-00AA006D2EA4");
inline constexpr CLSID CLSID_Command = platform::MakeGuid("00000507-0000-0010-8000-00AA006D2EA4");
inline constexpr CLSID CLSID_Recordset = platform::MakeGuid("00000535-0000-0010-8000-00AA006D2EA4");
inline constexpr CLSID CLSID_Parameter = platform::MakeGuid("0000050B-0000-0010-8000-00AA006D2EA4");

_COM_SMARTPTR_TYPEDEF(Error, platform::IidOf<Error>());
_COM_SMARTPTR_TYPEDEF(Errors, platform::IidOf<Errors>());
_COM_SMARTPTR_TYPEDEF(_Connection, platform::IidOf<_Connection>());
_COM_SMARTPTR_TYPEDEF(Field, platform::IidOf<Field>());
_COM_SMARTPTR_TYPEDEF(Fields, platform::IidOf<Fields>());
_COM_SMARTPTR_TYPEDEF(_Parameter, platform::IidOf<_Parameter>());
_COM_SMARTPTR_TYPEDEF(Parameters, platform::IidOf<Parameters>());
_COM_SMARTPTR_TYPEDEF(_Command, platform::IidOf<_Command>());
_COM_SMARTPTR_TYPEDEF(_Recordset, platform::IidOf<_Recordset>());

namespace platform {
// Registers the data-access classes (connection, command, record set, catalog, table, index, the
// compaction engine) in the machine's classes when they are not registered yet; the platform calls
// it when it sets up a machine hive, and a program may call it at start-up. S_OK or the failure.
HRESULT EnsureDataAccessRegistered();
} // namespace platform
