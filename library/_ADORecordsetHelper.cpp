#include "library/_ADORecordsetHelper.h"

#include "library/ResultChecking.h"
#include "library/_ADOConnectionHelper.h"
#include "platform/com/BstrT.h"
#include "platform/com/ComError.h"

#include <memory>

namespace {

_Connection* LibraryConnection() { return theLibraryConnection.GetConnection(); }

_variant_t Position(long position) { return _variant_t(static_cast<LONG>(position)); }

// Null reads as empty everywhere.
_variant_t WithoutNull(_variant_t value)
{
    if (value.vt == VT_NULL)
        value.Clear();
    return value;
}

_variant_t FieldValue(_Recordset* recordset, const VARIANT& key, _Connection* connection = nullptr)
{
    FieldsPtr fields;
    CheckResult(recordset->get_Fields(&fields), connection);
    FieldPtr field;
    CheckResult(fields->get_Item(key, &field), connection);
    _variant_t value;
    CheckResult(field->get_Value(&value), connection);
    return WithoutNull(std::move(value));
}

CString FieldNameAt(const FieldsPtr& fields, LONG position)
{
    FieldPtr field;
    CheckResult(fields->get_Item(Position(position), &field));
    BSTR name = nullptr;
    CheckResult(field->get_Name(&name));
    CString text(static_cast<LPCWSTR>(name));
    SysFreeString(name);
    return text;
}

bool IsBinaryType(DataTypeEnum type)
{
    return type == adGUID || type == adBinary || type == adChapter || type == adVarBinary || type == adLongVarBinary;
}

CString Formatted(const char* format, auto value)
{
    CString text;
    text.Format(format, value);
    return text;
}

// The value as the user's locale writes it (currency, dates).
CString LocaleText(const VARIANT& value)
{
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
        return CString();
    CString result(static_cast<LPCWSTR>(text.bstrVal));
    VariantClear(&text);
    return result;
}

} // namespace

_ADORecordsetHelper::_ADORecordsetHelper(_Recordset* recordset)
    : m_pRecordset(recordset)
{
    if (m_pRecordset != nullptr)
        m_pRecordset->AddRef();
}

_ADORecordsetHelper::_ADORecordsetHelper(const _ADORecordsetHelper& other)
    : _ADORecordsetHelper(other.m_pRecordset)
{
}

_ADORecordsetHelper::~_ADORecordsetHelper() { Release(false, nullptr); }

bool _ADORecordsetHelper::Release(bool reraise, _Connection* connection)
{
    if (m_pRecordset == nullptr)
        return true;
    const bool closed = !m_bCloseDuty || CloseChecked(m_pRecordset, reraise, connection);
    std::exchange(m_pRecordset, nullptr)->Release();
    m_bCloseDuty = false;
    return closed;
}

_Recordset** _ADORecordsetHelper::ReceivePointer()
{
    Release(true, nullptr);
    m_bCloseDuty = true;
    return &m_pRecordset;
}

void _ADORecordsetHelper::Attach(_Recordset* recordset)
{
    if (recordset == m_pRecordset)
        return;
    Release(true, nullptr);
    m_pRecordset = recordset;
    if (m_pRecordset != nullptr)
        m_pRecordset->AddRef();
    m_bCloseDuty = false;
}

_ADORecordsetHelper& _ADORecordsetHelper::operator=(_Recordset* recordset)
{
    Attach(recordset);
    return *this;
}

_ADORecordsetHelper& _ADORecordsetHelper::operator=(const _ADORecordsetHelper& other)
{
    Attach(other.m_pRecordset);
    return *this;
}

_Recordset* _ADORecordsetHelper::Get() const
{
    if (m_pRecordset == nullptr)
        throw _com_error(E_POINTER);
    return m_pRecordset;
}

bool _ADORecordsetHelper::IsEOF()
{
    try {
        VARIANT_BOOL eof = VARIANT_TRUE;
        CheckResult(Get()->get_EOF(&eof));
        return eof == VARIANT_TRUE;
    } catch (const _com_error&) {
        return true;
    }
}

long _ADORecordsetHelper::FieldCount()
{
    try {
        FieldsPtr fields;
        CheckResult(Get()->get_Fields(&fields));
        LONG count = 0;
        CheckResult(fields->get_Count(&count));
        return count;
    } catch (const _com_error&) {
        return -1;
    }
}

long _ADORecordsetHelper::RecordCount()
{
    try {
        LONG count = 0;
        CheckResult(Get()->get_RecordCount(&count));
        return count;
    } catch (const _com_error&) {
        return -1;
    }
}

bool _ADORecordsetHelper::IsEmpty() { return RecordCount() <= 0; }

long _ADORecordsetHelper::FieldIndex(LPCTSTR name)
{
    if (name == nullptr)
        return -1;
    try {
        FieldsPtr fields;
        CheckResult(Get()->get_Fields(&fields));
        LONG count = 0;
        CheckResult(fields->get_Count(&count));
        for (LONG i = 0; i < count; ++i) {
            if (FieldNameAt(fields, i) == name)
                return i;
        }
    } catch (const _com_error&) {
    }
    return -1;
}

CString _ADORecordsetHelper::FieldName(long position)
{
    if (position < 0 || position >= FieldCount())
        return CString();
    try {
        FieldsPtr fields;
        CheckResult(Get()->get_Fields(&fields));
        return FieldNameAt(fields, position);
    } catch (const _com_error&) {
        return CString();
    }
}

_variant_t _ADORecordsetHelper::GetFieldValue(const VARIANT& key)
{
    try {
        return FieldValue(Get(), key);
    } catch (const _com_error&) {
        return _variant_t();
    }
}

_variant_t _ADORecordsetHelper::GetValue(LPCTSTR name) { return GetFieldValue(_variant_t(name != nullptr ? name : "")); }

_RecordsetPtr _ADORecordsetHelper::Clone()
{
    _RecordsetPtr clone;
    CheckResult(Get()->Clone(adLockReadOnly, &clone));
    return clone;
}

_variant_t _ADORecordsetHelper::GetRowValue(const VARIANT& key, long row)
{
    if (m_pRecordset == nullptr)
        return _variant_t();
    const long count = RecordCount();
    if (row < 0 || row >= count)
        return _variant_t();
    try {
        _RecordsetPtr clone = Clone();
        CheckResult(clone->Move(row, _variant_t(static_cast<LONG>(adBookmarkFirst))));
        return FieldValue(clone, key);
    } catch (const _com_error&) {
        return _variant_t();
    }
}

_variant_t _ADORecordsetHelper::GetValueAt(long position, long row) { return GetRowValue(Position(position), row); }

bool _ADORecordsetHelper::GetColumnText(const VARIANT& key, CStringList& list)
{
    try {
        const long count = RecordCount();
        if (count <= 0)
            return count == 0;
        _RecordsetPtr clone = Clone();
        CheckResult(clone->MoveFirst());
        for (long row = 0; row < count; ++row) {
            const _variant_t value = FieldValue(clone, key);
            if (value.vt != VT_BSTR)
                return false;
            list.AddTail(CString(static_cast<LPCWSTR>(value.bstrVal)));
            CheckResult(clone->MoveNext());
        }
        return true;
    } catch (const _com_error&) {
        return false;
    }
}

bool _ADORecordsetHelper::GetColumnTextAt(long position, CStringList& list) { return GetColumnText(Position(position), list); }

bool _ADORecordsetHelper::FetchRows(const VARIANT* first, long count, CPtrList& list)
{
    long start = 0;
    if (first != nullptr) {
        if (first->vt == VT_BSTR) {
            start = FieldIndex(CString(static_cast<LPCWSTR>(first->bstrVal)));
        } else if (first->vt == VT_I4) {
            start = first->lVal;
        } else {
            VARIANT converted;
            VariantInit(&converted);
            if (FAILED(VariantChangeType(&converted, first, 0, VT_I4)))
                return false;
            start = converted.lVal;
        }
    }
    if (start < 0)
        return false;
    if (count == -1)
        count = FieldCount() - start;
    if (count < 0)
        return false;
    try {
        const long rows = RecordCount();
        if (rows <= 0)
            return rows == 0;
        _RecordsetPtr clone = Clone();
        CheckResult(clone->MoveFirst());
        for (long row = 0; row < rows; ++row) {
            auto values = std::make_unique<_variant_t[]>(static_cast<std::size_t>(count));
            for (long j = 0; j < count; ++j)
                values[j] = FieldValue(clone, Position(start + j));
            list.AddTail(values.release());
            CheckResult(clone->MoveNext());
        }
        return true;
    } catch (const _com_error&) {
        return false;
    }
}

CString _ADORecordsetHelper::ValueToText(long position)
{
    try {
        FieldsPtr fields;
        CheckResult(Get()->get_Fields(&fields));
        FieldPtr field;
        CheckResult(fields->get_Item(Position(position), &field));
        DataTypeEnum type = adEmpty;
        CheckResult(field->get_Type(&type));
        _variant_t value;
        CheckResult(field->get_Value(&value));
        if (value.vt == VT_EMPTY || value.vt == VT_NULL || IsBinaryType(type))
            return CString();
        switch (value.vt) {
        case VT_I2:
            return Formatted("%hd", static_cast<int>(value.iVal));
        case VT_I4:
            return Formatted("%d", static_cast<int>(value.lVal));
        case VT_R4:
            return Formatted("%g", static_cast<double>(value.fltVal));
        case VT_R8:
            return Formatted("%.13g", value.dblVal);
        case VT_CY:
        case VT_DATE:
            return LocaleText(value);
        case VT_BSTR:
            return CString(static_cast<LPCWSTR>(value.bstrVal));
        case VT_BOOL:
            return value.boolVal != 0 ? "TRUE" : "FALSE";
        case VT_DECIMAL:
            return CString();
        case VT_I1:
            return Formatted("%hd", static_cast<int>(value.cVal));
        case VT_UI1:
            return Formatted("%hu", static_cast<unsigned>(value.bVal));
        case VT_UI2:
            return Formatted("%hu", static_cast<unsigned>(value.uiVal));
        case VT_UI4:
            return Formatted("%u", static_cast<unsigned>(value.ulVal));
        case VT_I8:
            return Formatted("%ld", static_cast<LONG>(static_cast<ULONG>(value.llVal & 0xFFFFFFFF)));
        case VT_UI8:
            return Formatted("%lu", static_cast<ULONG>(value.ullVal & 0xFFFFFFFF));
        default:
            return "Unknown Data type";
        }
    } catch (const _com_error&) {
        return CString();
    }
}

bool _ADORecordsetHelper::UpdateBinding(IADORecordBinding* binding, CADORecordBinding* record)
{
    if (m_pRecordset == nullptr || binding == nullptr)
        return false;
    try {
        CheckResult(binding->Update(record), LibraryConnection());
        return true;
    } catch (const _com_error&) {
        // A refused write (a row deleted under it) must not leave the record set stuck in the edit,
        // or its next requery fails and the list can never show the row gone.
        m_pRecordset->CancelUpdate();
        return false;
    }
}

bool _ADORecordsetHelper::MoveNext()
{
    try {
        VARIANT_BOOL eof = VARIANT_TRUE;
        CheckResult(Get()->get_EOF(&eof), LibraryConnection());
        if (eof == VARIANT_TRUE)
            return false;
        CheckResult(Get()->MoveNext(), LibraryConnection());
        CheckResult(Get()->get_EOF(&eof), LibraryConnection());
        return eof != VARIANT_TRUE;
    } catch (const _com_error&) {
        return false;
    }
}

bool _ADORecordsetHelper::MoveToRow(long row)
{
    const long count = RecordCount();
    if (row < 0 || row >= count)
        return false;
    try {
        CheckResult(Get()->Move(row, _variant_t(static_cast<LONG>(adBookmarkFirst))), LibraryConnection());
        VARIANT_BOOL eof = VARIANT_TRUE;
        CheckResult(Get()->get_EOF(&eof), LibraryConnection());
        return eof != VARIANT_TRUE;
    } catch (const _com_error&) {
        return false;
    }
}

bool _ADORecordsetHelper::SetSort(LPCTSTR sort)
{
    try {
        CheckResult(Get()->put_Sort(_bstr_t(sort != nullptr ? sort : "")), LibraryConnection());
        return true;
    } catch (const _com_error&) {
        return false;
    }
}

long _ADORecordsetHelper::GetCursorLocation()
{
    try {
        CursorLocationEnum location = adUseNone;
        CheckResult(Get()->get_CursorLocation(&location), LibraryConnection());
        return location;
    } catch (const _com_error&) {
        return 0;
    }
}
