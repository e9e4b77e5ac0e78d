#include "platform/ado/Recordset.h"

#include "platform/ado/ComHelpers.h"
#include "platform/ado/CommandAccess.h"
#include "platform/ado/Connection.h"
#include "platform/ado/FieldObjects.h"
#include "platform/ado/RowsetXml.h"
#include "platform/ado/SourceResolver.h"
#include "platform/ado/VariantValues.h"
#include "platform/base/CodePage.h"
#include "platform/base/Paths.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace platform::ado {

namespace {

const char* const kClosedText = "The operation is not allowed when the object is closed.";
const char* const kNoCurrentRow = "Either BOF or EOF is True, or the current record has been deleted.";

// The error for what only a closed recordset allows.
HRESULT OpenError()
{
    return SetThreadError(AdoErrorResult(adErrObjectOpen), "The operation is not allowed when the object is open.");
}

// Stores a cursor setting; once rows are open the setting is fixed.
template <typename T>
HRESULT SetWhileClosed(bool open, T& setting, T value)
{
    if (open)
        return OpenError();
    setting = value;
    return S_OK;
}

// The bookmark a Start argument names: the current row (missing or 0), the first (1) or the last (2).
long StartPosition(const VARIANT& start, long current, long count)
{
    if (IsMissing(start))
        return current;
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, &start, 0, VT_I4)))
        return current;
    switch (number.lVal) {
    case adBookmarkFirst:
        return 0;
    case adBookmarkLast:
        return count - 1;
    default:
        return current;
    }
}

std::string TextOrDefault(BSTR text, const char* fallback) { return text ? TextOfBstr(text) : std::string(fallback); }

// Converts 'value' to 'vt' and stores what 'pick' takes of the result in a bound buffer; false when
// the value does not convert (the buffer is then left alone).
template <class Stored, class Pick>
bool ConvertInto(const VARIANT& value, VARTYPE vt, void* buffer, Pick pick)
{
    CComVariant converted;
    if (FAILED(VariantChangeType(&converted, &value, 0, vt)))
        return false;
    *static_cast<Stored*>(buffer) = pick(converted);
    return true;
}

} // namespace

HRESULT CRecordset::Fail(const DbError& error)
{
    if (m_state)
        return m_state->Fail(error);
    return SetThreadError(ResultOf(error), error.what());
}

HRESULT CRecordset::Fail(HRESULT result, const std::string& description)
{
    if (m_state)
        return m_state->Fail(result, description);
    return SetThreadError(result, description);
}

HRESULT CRecordset::RequireOpen()
{
    return m_rows ? S_OK : SetThreadError(AdoErrorResult(adErrObjectClosed), kClosedText);
}

bool CRecordset::AtEnd() const { return !m_rows || m_position >= static_cast<long>(m_rows->RowCount()); }
bool CRecordset::AtStart() const { return !m_rows || m_position < 0 || m_rows->RowCount() == 0; }

HRESULT CRecordset::RequireCurrentRow()
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (AtEnd() || AtStart())
        return SetThreadError(AdoErrorResult(adErrNoCurrentRecord), kNoCurrentRow);
    return S_OK;
}

HRESULT CRecordset::OpenText(IUnknown* connection, const std::string& source, LONG options, CursorTypeEnum cursorType,
    LockTypeEnum lockType, LONG* affected)
{
    if (m_rows)
        return OpenError();
    CComPtr<IConnectionAccess> access;
    if (!connection || FAILED(connection->QueryInterface(platform::IidOf<IConnectionAccess>(), reinterpret_cast<void**>(&access))))
        return SetThreadError(AdoErrorResult(adErrInvalidConnection), "The connection cannot be used to perform this operation.");
    m_connection = connection;
    m_state = access->State();
    const auto database = m_state->OpenDatabase();
    if (!database)
        return SetThreadError(AdoErrorResult(adErrInvalidConnection), "The connection cannot be used to perform this operation. It is either closed or invalid.");
    m_state->ClearErrors();
    m_sourceText = source;
    try {
        const ResolvedSource resolved = ResolveSource(*database, source, options == adOptionUnspecified ? adCmdUnknown : options);
        m_statement = resolved.statement;
        m_clientSort = resolved.clientSort;
    } catch (const DbError& error) {
        return Fail(error);
    }
    m_parameters.clear();
    if (cursorType != adOpenUnspecified)
        m_cursorType = cursorType;
    if (lockType != adLockUnspecified)
        m_lockType = lockType;
    return Run(affected);
}

HRESULT CRecordset::OpenCommand(IUnknown* command, LONG options, CursorTypeEnum cursorType, LockTypeEnum lockType, LONG* affected)
{
    if (m_rows)
        return OpenError();
    CComPtr<ICommandAccess> access;
    if (!command || FAILED(command->QueryInterface(platform::IidOf<ICommandAccess>(), reinterpret_cast<void**>(&access))))
        return SetThreadError(E_INVALIDARG, "The source is not a command of this library.");
    CommandRun run;
    HRESULT hr = access->Describe(run);
    if (FAILED(hr))
        return hr;
    m_state = run.state;
    m_connection = run.connection;
    const auto database = m_state->OpenDatabase();
    if (!database)
        return SetThreadError(AdoErrorResult(adErrInvalidConnection), "The connection cannot be used to perform this operation. It is either closed or invalid.");
    m_state->ClearErrors();
    m_sourceText = run.text;
    const long type = run.commandType != adCmdUnspecified ? run.commandType : (options == adOptionUnspecified ? adCmdUnknown : options);
    try {
        const ResolvedSource resolved = ResolveSource(*database, run.text, type);
        m_statement = resolved.statement;
        m_clientSort = resolved.clientSort;
    } catch (const DbError& error) {
        return Fail(error);
    }
    m_parameters = std::move(run.parameters);
    if (cursorType != adOpenUnspecified)
        m_cursorType = cursorType;
    if (lockType != adLockUnspecified)
        m_lockType = lockType;
    return Run(affected);
}

HRESULT CRecordset::Run(LONG* affected)
{
    const auto database = m_state ? m_state->OpenDatabase() : nullptr;
    if (!database)
        return SetThreadError(AdoErrorResult(adErrInvalidConnection), "The connection cannot be used to perform this operation. It is either closed or invalid.");
    try {
        QueryResult result = database->Execute(m_statement, m_parameters);
        if (affected)
            *affected = static_cast<LONG>(result.returnsRows ? -1 : result.rowsAffected);
        if (!result.returnsRows) {
            m_rows.reset(); // an action statement leaves the record set closed
            return S_OK;
        }
        auto rows = std::make_shared<RowSet>(std::move(result));
        if (!m_clientSort.empty() && !rows->Sort(m_clientSort))
            return Fail(AdoErrorResult(adErrItemNotFound), "The sort names a field the rows do not have.");
        if (!m_sort.empty())
            rows->Sort(m_sort);
        m_rows = std::move(rows);
    } catch (const DbError& error) {
        return Fail(error);
    }
    m_position = 0;
    m_editMode = EditMode::None;
    m_pending.clear();
    RefreshBinding();
    return S_OK;
}

size_t CRecordset::FieldCount() const { return m_rows ? m_rows->Columns().size() : 0; }

const ResultColumn* CRecordset::Column(size_t column) const
{
    return m_rows && column < m_rows->Columns().size() ? &m_rows->Columns()[column] : nullptr;
}

long CRecordset::FindField(const std::string& name) const { return m_rows ? m_rows->FindColumn(name) : -1; }

HRESULT CRecordset::FieldValue(size_t column, VARIANT* out, bool original)
{
    if (!out)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    const ResultColumn* info = Column(column);
    if (!info)
        return SetThreadError(AdoErrorResult(adErrItemNotFound), "Item cannot be found in the collection.");
    if (!original && m_editMode != EditMode::None) {
        if (const auto pending = m_pending.find(column); pending != m_pending.end())
            return VariantFromDbValue(pending->second, info->type, out);
        if (m_editMode == EditMode::Adding)
            return VariantFromDbValue(DbNull {}, info->type, out);
    }
    hr = RequireCurrentRow();
    if (FAILED(hr))
        return hr;
    return VariantFromDbValue(m_rows->Row(static_cast<size_t>(m_position))[column], info->type, out);
}

HRESULT CRecordset::SetFieldValue(size_t column, const VARIANT& value)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    const ResultColumn* info = Column(column);
    if (!info)
        return SetThreadError(AdoErrorResult(adErrItemNotFound), "Item cannot be found in the collection.");
    if (m_lockType == adLockReadOnly)
        return Fail(AdoErrorResult(adErrFeatureNotAvailable), "The record set is read-only.");
    if (m_editMode != EditMode::Adding) {
        hr = RequireCurrentRow();
        if (FAILED(hr))
            return hr;
    }
    DbValue converted;
    if (FAILED(DbValueForParameter(value, info->type.type, converted)))
        return Fail(AdoErrorResult(adErrDataConversion), "The value cannot be converted to the type of the field '" + info->name + "'.");
    m_pending[column] = std::move(converted);
    if (m_editMode == EditMode::None)
        m_editMode = EditMode::Editing;
    return S_OK;
}

HRESULT CRecordset::CommitPending()
{
    if (m_editMode == EditMode::None)
        return S_OK;
    const auto database = m_state ? m_state->OpenDatabase() : nullptr;
    if (!database)
        return SetThreadError(AdoErrorResult(adErrInvalidConnection), "The connection cannot be used to perform this operation. It is either closed or invalid.");
    try {
        if (m_editMode == EditMode::Adding)
            m_position = static_cast<long>(m_rows->InsertRow(*database, m_pending));
        else if (!m_pending.empty())
            m_rows->UpdateRow(*database, static_cast<size_t>(m_position), m_pending);
    } catch (const DbError& error) {
        return Fail(error);
    }
    m_editMode = EditMode::None;
    m_pending.clear();
    RefreshBinding();
    return S_OK;
}

HRESULT CRecordset::SetPosition(long position)
{
    HRESULT hr = CommitPending();
    if (FAILED(hr))
        return hr;
    const long count = static_cast<long>(m_rows->RowCount());
    m_position = position < 0 ? -1 : (position > count ? count : position);
    RefreshBinding();
    return S_OK;
}

HRESULT CRecordset::get_AbsolutePosition(LONG* pl)
{
    if (!pl)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    *pl = AtStart() ? -2 : (AtEnd() ? -3 : m_position + 1); // adPosBOF, adPosEOF
    return S_OK;
}

HRESULT CRecordset::put_AbsolutePosition(LONG Position)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (Position < 1 || Position > static_cast<LONG>(m_rows->RowCount()))
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The position is outside the record set.");
    return SetPosition(Position - 1);
}

HRESULT CRecordset::putref_ActiveConnection(IDispatch* pconn)
{
    if (m_rows)
        return OpenError();
    m_connection = pconn;
    return S_OK;
}

HRESULT CRecordset::put_ActiveConnection(VARIANT vConn)
{
    if ((vConn.vt == VT_DISPATCH || vConn.vt == VT_UNKNOWN) && m_rows)
        return OpenError();
    return AssignActiveConnection(vConn, m_connection);
}

HRESULT CRecordset::get_ActiveConnection(VARIANT* pvar)
{
    if (!pvar)
        return E_POINTER;
    return DispatchVariant(m_connection, pvar);
}

HRESULT CRecordset::get_BOF(VARIANT_BOOL* pb)
{
    if (!pb)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    *pb = AtStart() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT CRecordset::get_EOF(VARIANT_BOOL* pb)
{
    if (!pb)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    *pb = AtEnd() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT CRecordset::get_CursorType(CursorTypeEnum* plCursorType)
{
    return CopyOut(plCursorType, m_cursorType);
}

HRESULT CRecordset::put_CursorType(CursorTypeEnum lCursorType)
{
    return SetWhileClosed(m_rows != nullptr, m_cursorType, lCursorType);
}

HRESULT CRecordset::get_LockType(LockTypeEnum* plLockType)
{
    return CopyOut(plLockType, m_lockType);
}

HRESULT CRecordset::put_LockType(LockTypeEnum lLockType)
{
    return SetWhileClosed(m_rows != nullptr, m_lockType, lLockType);
}

HRESULT CRecordset::get_CursorLocation(CursorLocationEnum* plCursorLoc)
{
    return CopyOut(plCursorLoc, m_cursorLocation);
}

HRESULT CRecordset::put_CursorLocation(CursorLocationEnum lCursorLoc)
{
    return SetWhileClosed(m_rows != nullptr, m_cursorLocation, lCursorLoc);
}

HRESULT CRecordset::get_Fields(::Fields** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    return MakeAndHandOut<CFields>(ppvObject, [&](CFields& fields) { fields.Init(this); });
}

HRESULT CRecordset::get_RecordCount(LONG* pl)
{
    if (!pl)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    *pl = static_cast<LONG>(m_rows->RowCount());
    return S_OK;
}

HRESULT CRecordset::get_Source(VARIANT* pvSource)
{
    if (!pvSource)
        return E_POINTER;
    VariantInit(pvSource);
    pvSource->vt = VT_BSTR;
    pvSource->bstrVal = AllocBstr(m_sourceText);
    return S_OK;
}

HRESULT CRecordset::get_State(LONG* plObjState)
{
    if (!plObjState)
        return E_POINTER;
    *plObjState = m_rows ? adStateOpen : adStateClosed;
    return S_OK;
}

HRESULT CRecordset::get_Sort(BSTR* Criteria)
{
    if (!Criteria)
        return E_POINTER;
    *Criteria = AllocBstr(m_sort);
    return S_OK;
}

HRESULT CRecordset::put_Sort(BSTR Criteria)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    hr = CommitPending();
    if (FAILED(hr))
        return hr;
    const std::string criteria = TextOfBstr(Criteria);
    if (!m_rows->Sort(criteria.empty() && !m_clientSort.empty() ? m_clientSort : criteria))
        return Fail(AdoErrorResult(adErrItemNotFound), "The sort names a field the record set does not have.");
    m_sort = criteria;
    m_position = 0;
    RefreshBinding();
    return S_OK;
}

HRESULT CRecordset::ColumnsOf(const VARIANT& fields, std::vector<size_t>& columns)
{
    columns.clear();
    if (IsMissing(fields)) {
        for (size_t c = 0; c < FieldCount(); ++c)
            columns.push_back(c);
        return S_OK;
    }
    const auto resolve = [&](const VARIANT& one) {
        LONG position = 0;
        const HRESULT hr = ResolveIndex(one, static_cast<LONG>(FieldCount()), [&](const std::string& name) { return FindField(name); }, position);
        if (SUCCEEDED(hr))
            columns.push_back(static_cast<size_t>(position));
        return hr;
    };
    if ((fields.vt & VT_ARRAY) == 0)
        return resolve(fields);
    SAFEARRAY* array = (fields.vt & VT_BYREF) ? *fields.pparray : fields.parray;
    if (!array || array->cDims != 1)
        return E_INVALIDARG;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
        CComVariant element;
        if ((fields.vt & VT_TYPEMASK) == VT_VARIANT) {
            if (FAILED(SafeArrayGetElement(array, &i, &element)))
                return E_INVALIDARG;
        } else if ((fields.vt & VT_TYPEMASK) == VT_BSTR) {
            BSTR text = nullptr;
            if (FAILED(SafeArrayGetElement(array, &i, &text)))
                return E_INVALIDARG;
            element.vt = VT_BSTR;
            element.bstrVal = text;
        } else {
            return E_INVALIDARG;
        }
        const HRESULT hr = resolve(element);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CRecordset::ApplyFieldValues(const VARIANT& fields, const VARIANT& values)
{
    if (IsMissing(fields))
        return S_OK;
    std::vector<size_t> columns;
    HRESULT hr = ColumnsOf(fields, columns);
    if (FAILED(hr))
        return hr;
    if ((values.vt & VT_ARRAY) == 0) {
        if (columns.size() != 1)
            return E_INVALIDARG;
        return SetFieldValue(columns[0], values);
    }
    SAFEARRAY* array = (values.vt & VT_BYREF) ? *values.pparray : values.parray;
    if (!array || (values.vt & VT_TYPEMASK) != VT_VARIANT)
        return E_INVALIDARG;
    LONG lower = 0;
    SafeArrayGetLBound(array, 1, &lower);
    for (size_t k = 0; k < columns.size(); ++k) {
        LONG index = lower + static_cast<LONG>(k);
        CComVariant element;
        if (FAILED(SafeArrayGetElement(array, &index, &element)))
            return E_INVALIDARG;
        hr = SetFieldValue(columns[k], element);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CRecordset::AddNew(VARIANT FieldList, VARIANT Values)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (m_lockType == adLockReadOnly)
        return Fail(AdoErrorResult(adErrFeatureNotAvailable), "The record set is read-only.");
    hr = CommitPending();
    if (FAILED(hr))
        return hr;
    m_editMode = EditMode::Adding;
    m_pending.clear();
    hr = ApplyFieldValues(FieldList, Values);
    if (FAILED(hr))
        return hr;
    if (!IsMissing(FieldList))
        return CommitPending();
    return S_OK;
}

HRESULT CRecordset::CancelUpdate()
{
    m_editMode = EditMode::None;
    m_pending.clear();
    RefreshBinding();
    return S_OK;
}

HRESULT CRecordset::Close()
{
    if (!m_rows)
        return SetThreadError(AdoErrorResult(adErrObjectClosed), kClosedText);
    m_rows.reset();
    m_editMode = EditMode::None;
    m_pending.clear();
    m_binding = nullptr;
    return S_OK;
}

HRESULT CRecordset::Delete(AffectEnum AffectRecords)
{
    if (AffectRecords != adAffectCurrent)
        return Fail(AdoErrorResult(adErrFeatureNotAvailable), "Only the current row can be deleted.");
    HRESULT hr = RequireCurrentRow();
    if (FAILED(hr))
        return hr;
    if (m_lockType == adLockReadOnly)
        return Fail(AdoErrorResult(adErrFeatureNotAvailable), "The record set is read-only.");
    const auto database = m_state ? m_state->OpenDatabase() : nullptr;
    if (!database)
        return SetThreadError(AdoErrorResult(adErrInvalidConnection), "The connection cannot be used to perform this operation. It is either closed or invalid.");
    m_editMode = EditMode::None;
    m_pending.clear();
    try {
        m_rows->DeleteRow(*database, static_cast<size_t>(m_position));
    } catch (const DbError& error) {
        return Fail(error);
    }
    RefreshBinding();
    return S_OK;
}

HRESULT CRecordset::GetRows(LONG Rows, VARIANT Start, VARIANT Fields, VARIANT* pvar)
{
    if (!pvar)
        return E_POINTER;
    VariantInit(pvar);
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    hr = CommitPending();
    if (FAILED(hr))
        return hr;
    std::vector<size_t> columns;
    hr = ColumnsOf(Fields, columns);
    if (FAILED(hr))
        return hr;
    const long count = static_cast<long>(m_rows->RowCount());
    const long first = StartPosition(Start, m_position, count);
    if (first < 0 || first >= count)
        return SetThreadError(AdoErrorResult(adErrNoCurrentRecord), kNoCurrentRow);
    const long available = count - first;
    const long taken = Rows < 0 ? available : std::min<long>(Rows, available);
    SAFEARRAYBOUND bounds[2];
    bounds[0].cElements = static_cast<ULONG>(columns.size());
    bounds[0].lLbound = 0;
    bounds[1].cElements = static_cast<ULONG>(taken);
    bounds[1].lLbound = 0;
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 2, bounds);
    if (!array)
        return E_OUTOFMEMORY;
    for (long r = 0; r < taken; ++r) {
        const auto& row = m_rows->Row(static_cast<size_t>(first + r));
        for (size_t c = 0; c < columns.size(); ++c) {
            CComVariant value;
            VariantFromDbValue(row[columns[c]], m_rows->Columns()[columns[c]].type, &value);
            LONG indices[2] = { static_cast<LONG>(c), static_cast<LONG>(r) };
            SafeArrayPutElement(array, indices, &value);
        }
    }
    pvar->vt = VT_ARRAY | VT_VARIANT;
    pvar->parray = array;
    m_position = first + taken;
    RefreshBinding();
    return S_OK;
}

HRESULT CRecordset::Move(LONG NumRecords, VARIANT Start)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    const long count = static_cast<long>(m_rows->RowCount());
    const long base = StartPosition(Start, m_position, count);
    if (IsMissing(Start) && NumRecords != 0 && ((NumRecords > 0 && AtEnd()) || (NumRecords < 0 && AtStart())))
        return SetThreadError(AdoErrorResult(adErrNoCurrentRecord), kNoCurrentRow);
    return SetPosition(base + NumRecords);
}

HRESULT CRecordset::MoveNext()
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (AtEnd())
        return SetThreadError(AdoErrorResult(adErrNoCurrentRecord), kNoCurrentRow);
    return SetPosition(m_position + 1);
}

HRESULT CRecordset::MovePrevious()
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (AtStart())
        return SetThreadError(AdoErrorResult(adErrNoCurrentRecord), kNoCurrentRow);
    return SetPosition(m_position - 1);
}

HRESULT CRecordset::MoveFirst()
{
    HRESULT hr = RequireOpen();
    return FAILED(hr) ? hr : SetPosition(0);
}

HRESULT CRecordset::MoveLast()
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    const long count = static_cast<long>(m_rows->RowCount());
    return SetPosition(count == 0 ? 0 : count - 1);
}

HRESULT CRecordset::Open(VARIANT Source, VARIANT ActiveConnection, CursorTypeEnum CursorType, LockTypeEnum LockType, LONG Options)
{
    const VARIANT* source = &Source;
    while (source->vt == (VT_BYREF | VT_VARIANT) && source->pvarVal)
        source = source->pvarVal;
    if (source->vt == VT_DISPATCH || source->vt == VT_UNKNOWN)
        return OpenCommand(source->punkVal, Options, CursorType, LockType, nullptr);
    if (source->vt != VT_BSTR)
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The source is not valid.");
    if (!IsMissing(ActiveConnection)) {
        const HRESULT hr = put_ActiveConnection(ActiveConnection);
        if (FAILED(hr))
            return hr;
    }
    return OpenText(m_connection, TextOfBstr(source->bstrVal), Options, CursorType, LockType, nullptr);
}

HRESULT CRecordset::Requery(LONG)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    hr = CommitPending();
    if (FAILED(hr))
        return hr;
    return Run(nullptr);
}

HRESULT CRecordset::Update(VARIANT Fields, VARIANT Values)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    hr = ApplyFieldValues(Fields, Values);
    if (FAILED(hr))
        return hr;
    return CommitPending();
}

HRESULT CRecordset::Clone(LockTypeEnum LockType, _Recordset** ppvObject)
{
    if (!ppvObject)
        return E_POINTER;
    *ppvObject = nullptr;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    CComObject<CRecordset>* clone = nullptr;
    hr = MakeObject(&clone);
    if (FAILED(hr))
        return hr;
    clone->m_state = m_state;
    clone->m_connection = m_connection;
    clone->m_rows = m_rows;
    clone->m_sourceText = m_sourceText;
    clone->m_statement = m_statement;
    clone->m_clientSort = m_clientSort;
    clone->m_parameters = m_parameters;
    clone->m_cursorType = m_cursorType;
    clone->m_lockType = LockType == adLockUnspecified ? m_lockType : LockType;
    clone->m_cursorLocation = m_cursorLocation;
    clone->m_sort = m_sort;
    clone->m_position = 0;
    return HandOut(clone, ppvObject);
}

HRESULT CRecordset::GetString(StringFormatEnum StringFormat, LONG NumRows, BSTR ColumnDelimeter, BSTR RowDelimeter, BSTR NullExpr,
    BSTR* pRetString)
{
    if (!pRetString)
        return E_POINTER;
    *pRetString = nullptr;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (StringFormat != adClipString)
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "Only the clip-string format is known.");
    hr = CommitPending();
    if (FAILED(hr))
        return hr;
    if (AtEnd() || AtStart())
        return SetThreadError(AdoErrorResult(adErrNoCurrentRecord), kNoCurrentRow);
    const std::string columnDelimiter = TextOrDefault(ColumnDelimeter, "\t");
    const std::string rowDelimiter = TextOrDefault(RowDelimeter, "\r");
    const std::string nullText = TextOrDefault(NullExpr, "");
    const long count = static_cast<long>(m_rows->RowCount());
    const long last = NumRows <= 0 ? count : std::min<long>(count, m_position + NumRows);
    std::string text;
    for (; m_position < last; ++m_position) {
        const auto& row = m_rows->Row(static_cast<size_t>(m_position));
        for (size_t c = 0; c < row.size(); ++c) {
            if (c)
                text += columnDelimiter;
            if (IsNull(row[c])) {
                text += nullText;
                continue;
            }
            CComVariant value;
            VariantFromDbValue(row[c], m_rows->Columns()[c].type, &value);
            CComVariant asText;
            if (value.vt == VT_BSTR)
                text += TextOfBstr(value.bstrVal);
            else if (value.vt == VT_BOOL)
                text += value.boolVal ? "True" : "False";
            else if (SUCCEEDED(VariantChangeType(&asText, &value, 0, VT_BSTR)))
                text += TextOfBstr(asText.bstrVal);
        }
        text += rowDelimiter;
    }
    RefreshBinding();
    *pRetString = AllocBstr(text);
    return S_OK;
}

HRESULT CRecordset::Save(VARIANT Destination, PersistFormatEnum PersistFormat)
{
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    if (PersistFormat != adPersistXML)
        return Fail(AdoErrorResult(adErrFeatureNotAvailable), "Record sets are saved as XML only.");
    const std::string xml = RowsetXml(*m_rows);
    const VARIANT* destination = &Destination;
    while (destination->vt == (VT_BYREF | VT_VARIANT) && destination->pvarVal)
        destination = destination->pvarVal;
    if (destination->vt == VT_BSTR) {
        const std::string path = ToNativePath(TextOfBstr(destination->bstrVal));
        std::error_code ec;
        if (std::filesystem::exists(path, ec))
            return Fail(E_FAIL, "The file '" + TextOfBstr(destination->bstrVal) + "' already exists.");
        std::ofstream file(path, std::ios::binary);
        file << xml;
        file.close();
        if (!file) {
            std::filesystem::remove(path, ec);
            return Fail(E_FAIL, "The file '" + TextOfBstr(destination->bstrVal) + "' cannot be written.");
        }
        return S_OK;
    }
    if (destination->vt != VT_DISPATCH && destination->vt != VT_UNKNOWN)
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The destination is neither a file name nor a document.");
    // A document takes the text through its loadXML method, reached by name so that this library
    // needs nothing of the XML library but its published method.
    CComPtr<IDispatch> document;
    if (!destination->punkVal || FAILED(destination->punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&document))))
        return SetThreadError(AdoErrorResult(adErrInvalidArgument), "The destination document cannot be reached.");
    std::u16string name = u"loadXML";
    LPOLESTR names[] = { name.data() };
    DISPID dispid = 0;
    hr = document->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid);
    if (FAILED(hr))
        return SetThreadError(hr, "The destination document has no loadXML method.");
    CComVariant argument;
    argument.vt = VT_BSTR;
    argument.bstrVal = AllocBstr(xml);
    DISPPARAMS parameters {};
    parameters.rgvarg = &argument;
    parameters.cArgs = 1;
    CComVariant result;
    hr = document->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &parameters, &result, nullptr, nullptr);
    if (FAILED(hr))
        return SetThreadError(hr, "The document refused the rowset XML.");
    // A document that cannot parse the text answers S_FALSE with a false result, which late
    // binding may hand back as a Boolean or as its 16-bit value.
    CComVariant loaded;
    const bool saidFalse = result.vt != VT_EMPTY && SUCCEEDED(VariantChangeType(&loaded, &result, 0, VT_BOOL))
        && loaded.boolVal == VARIANT_FALSE;
    if (hr == S_FALSE || saidFalse)
        return SetThreadError(E_FAIL, "The document refused the rowset XML.");
    return S_OK;
}

void CRecordset::RefreshBinding()
{
    if (!m_binding || !m_rows)
        return;
    auto* base = reinterpret_cast<char*>(m_binding);
    const bool hasRow = !AtEnd() && !AtStart();
    for (const auto& entry : m_binding->GetADOBindingEntries()) {
        ULONG* status = entry.statusOffset >= 0 ? reinterpret_cast<ULONG*>(base + entry.statusOffset) : nullptr;
        const size_t column = entry.ulOrdinal - 1;
        if (!hasRow || entry.ulOrdinal == 0 || column >= FieldCount()) {
            if (status)
                *status = adFldNull;
            continue;
        }
        const DbValue& stored = m_rows->Row(static_cast<size_t>(m_position))[column];
        if (IsNull(stored)) {
            if (status)
                *status = adFldNull;
            continue;
        }
        CComVariant value;
        VariantFromDbValue(stored, m_rows->Columns()[column].type, &value);
        void* buffer = base + entry.bufferOffset;
        CComVariant converted;
        bool ok = true;
        switch (entry.eDataType) {
        case adVarWChar:
        case adWChar:
        case adBSTR: {
            ok = SUCCEEDED(VariantChangeType(&converted, &value, 0, VT_BSTR));
            if (!ok || entry.ulSize < sizeof(OLECHAR))
                break;
            std::u16string text(converted.bstrVal, SysStringLen(converted.bstrVal));
            const size_t capacity = entry.ulSize / sizeof(OLECHAR) - 1;
            if (text.size() > capacity) {
                size_t cut = capacity;
                // Never end on the first half of a surrogate pair.
                if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF)
                    --cut;
                text.resize(cut);
            }
            std::memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(OLECHAR));
            break;
        }
        case adInteger:
            ok = ConvertInto<LONG>(value, VT_I4, buffer, [](const VARIANT& converted) { return converted.lVal; });
            break;
        case adSmallInt:
            ok = ConvertInto<SHORT>(value, VT_I2, buffer, [](const VARIANT& converted) { return converted.iVal; });
            break;
        case adBoolean:
            ok = ConvertInto<VARIANT_BOOL>(value, VT_BOOL, buffer,
                [](const VARIANT& converted) { return converted.boolVal ? VARIANT_TRUE : VARIANT_FALSE; });
            break;
        case adDate:
        case adDBTimeStamp:
            ok = ConvertInto<DATE>(value, VT_DATE, buffer, [](const VARIANT& converted) { return converted.date; });
            break;
        case adDouble:
            ok = ConvertInto<double>(value, VT_R8, buffer, [](const VARIANT& converted) { return converted.dblVal; });
            break;
        default:
            ok = false;
        }
        if (status)
            *status = ok ? adFldOK : adFldCantConvertValue;
    }
}

HRESULT CRecordset::PendingFromBinding(CADORecordBinding* binding)
{
    auto* base = reinterpret_cast<char*>(binding);
    for (const auto& entry : binding->GetADOBindingEntries()) {
        if (!entry.fModify || entry.ulOrdinal == 0 || entry.ulOrdinal > FieldCount())
            continue;
        const ULONG status = entry.statusOffset >= 0 ? *reinterpret_cast<ULONG*>(base + entry.statusOffset) : ULONG { adFldOK };
        CComVariant value;
        if (status == adFldNull) {
            value.vt = VT_NULL;
        } else if (status != adFldOK) {
            continue;
        } else {
            const void* buffer = base + entry.bufferOffset;
            switch (entry.eDataType) {
            case adVarWChar:
            case adWChar:
            case adBSTR: {
                const auto* text = static_cast<const OLECHAR*>(buffer);
                const size_t capacity = entry.ulSize / sizeof(OLECHAR);
                size_t length = 0;
                while (length < capacity && text[length])
                    ++length;
                value.vt = VT_BSTR;
                value.bstrVal = SysAllocStringLen(text, static_cast<UINT>(length));
                break;
            }
            case adInteger:
                value = *static_cast<const LONG*>(buffer);
                break;
            case adSmallInt:
                value.vt = VT_I2;
                value.iVal = *static_cast<const SHORT*>(buffer);
                break;
            case adBoolean:
                value.vt = VT_BOOL;
                value.boolVal = *static_cast<const VARIANT_BOOL*>(buffer) ? VARIANT_TRUE : VARIANT_FALSE;
                break;
            case adDate:
            case adDBTimeStamp:
                value.vt = VT_DATE;
                value.date = *static_cast<const DATE*>(buffer);
                break;
            case adDouble:
                value = *static_cast<const double*>(buffer);
                break;
            default:
                continue;
            }
        }
        const HRESULT hr = SetFieldValue(entry.ulOrdinal - 1, value);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CRecordset::BindToRecordset(CADORecordBinding* pAdoRecordBinding)
{
    if (!pAdoRecordBinding)
        return E_POINTER;
    HRESULT hr = RequireOpen();
    if (FAILED(hr))
        return hr;
    m_binding = pAdoRecordBinding;
    RefreshBinding();
    return S_OK;
}

HRESULT CRecordset::AddNew(CADORecordBinding* pAdoRecordBinding)
{
    if (!pAdoRecordBinding)
        return E_POINTER;
    HRESULT hr = AddNew(CComVariant(), CComVariant());
    if (FAILED(hr))
        return hr;
    hr = PendingFromBinding(pAdoRecordBinding);
    if (FAILED(hr)) {
        CancelUpdate();
        return hr;
    }
    return CommitPending();
}

HRESULT CRecordset::Update(CADORecordBinding* pAdoRecordBinding)
{
    if (!pAdoRecordBinding)
        return E_POINTER;
    HRESULT hr = RequireCurrentRow();
    if (FAILED(hr))
        return hr;
    hr = PendingFromBinding(pAdoRecordBinding);
    if (FAILED(hr)) {
        CancelUpdate();
        return hr;
    }
    return CommitPending();
}

HRESULT ExecuteToRecordset(const std::function<HRESULT(CRecordset&, LONG*)>& open, VARIANT* recordsAffected, _Recordset** out)
{
    CComObject<CRecordset>* recordset = nullptr;
    HRESULT hr = MakeObject(&recordset);
    if (FAILED(hr))
        return hr;
    CComPtr<_Recordset> holder(recordset);
    LONG affected = 0;
    hr = open(*recordset, &affected);
    if (FAILED(hr))
        return hr;
    if (recordsAffected) {
        VariantClear(recordsAffected);
        recordsAffected->vt = VT_I4;
        recordsAffected->lVal = affected;
    }
    if (out)
        *out = holder.Detach();
    return S_OK;
}

} // namespace platform::ado
