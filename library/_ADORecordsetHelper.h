#pragma once
// Owner of one record set for the code that reads query results. A record set opened into the helper
// (through ReceivePointer) is closed by it; one it only adopted is released without closing. Every
// operation routes results through CheckResult, catches the exception and reports failure by its
// result; a Null value always comes back as an empty VARIANT.

#include "platform/afx/CString.h"
#include "platform/afx/CStringList.h"
#include "platform/afx/CPtrList.h"
#include "platform/ado/Ado.h"
#include "platform/ado/AdoRecordBinding.h"
#include "platform/com/VariantT.h"

class _ADORecordsetHelper {
public:
    // Adopts the record set (adding a reference); the helper will not close it.
    explicit _ADORecordsetHelper(_Recordset* recordset = nullptr);
    // Adopts the other helper's record set; the new helper will not close it.
    _ADORecordsetHelper(const _ADORecordsetHelper& other);
    // Release without re-raising.
    virtual ~_ADORecordsetHelper();

    // Closes the record set when the helper must (already closed is fine), releases it and empties the
    // helper. On a failed close: with reraise a fresh _com_error is thrown, without it false.
    bool Release(bool reraise = false, _Connection* connection = nullptr);
    // Empties the helper (re-raising a failed close), takes the duty to close, and returns the address
    // the opening call stores the new record set at.
    _Recordset** ReceivePointer();
    // Holds another record set (adopted, not to be closed), releasing the current one first.
    void Attach(_Recordset* recordset);
    _ADORecordsetHelper& operator=(_Recordset* recordset);
    _ADORecordsetHelper& operator=(const _ADORecordsetHelper& other);
    // The record set; throws _com_error(E_POINTER), without a message, when the helper is empty.
    _Recordset* Get() const;
    // True while a record set is held.
    bool HasRecordset() const { return m_pRecordset != nullptr; }

    // True at the end of the rows (and after a failure).
    bool IsEOF();
    // Number of fields; -1 after a failure.
    long FieldCount();
    // Number of rows; -1 after a failure.
    long RecordCount();
    // True when there are no rows (or they cannot be counted).
    bool IsEmpty();
    // Position of the field whose name equals the text exactly (case counts); -1 when none does.
    long FieldIndex(LPCTSTR name);
    // The field's name; empty for a position outside the fields.
    CString FieldName(long position);
    // The value of a field (by name or position) in the current row.
    _variant_t GetFieldValue(const VARIANT& key);
    _variant_t GetValue(LPCTSTR name);
    // The value of a field in a given row, without moving the current row; empty when no record set is
    // held or the row is outside the rows.
    _variant_t GetRowValue(const VARIANT& key, long row);
    _variant_t GetValueAt(long position, long row);
    // Appends the field's text of every row, first row first; false at the first value that is not a
    // text (the texts before it stay in the list).
    bool GetColumnText(const VARIANT& key, CStringList& list);
    bool GetColumnTextAt(long position, CStringList& list);
    // Appends one new _variant_t[count] per row (freed by the receiver with delete[] as _variant_t*),
    // from the first field (null: position 0; a name; a position) on; count -1 takes all the fields.
    bool FetchRows(const VARIANT* first, long count, CPtrList& list);
    // The value of a field of the current row as display text.
    CString ValueToText(long position);
    // Writes the bound record's modifiable members to the current row; false without a record set or
    // binding interface.
    bool UpdateBinding(IADORecordBinding* binding, CADORecordBinding* record);
    // Moves to the next row; false at the end, without moving when already there.
    bool MoveNext();
    // Moves to a row counted from the first; false, unmoved, for a row outside the rows.
    bool MoveToRow(long row);
    // Sets the record set's sort order.
    bool SetSort(LPCTSTR sort);
    // The record set's cursor location; 0 after a failure.
    long GetCursorLocation();

private:
    // A second record set on the same rows, so that reads by row leave the current row alone.
    _RecordsetPtr Clone();

    _Recordset* m_pRecordset { nullptr };
    bool m_bCloseDuty { false };
};
