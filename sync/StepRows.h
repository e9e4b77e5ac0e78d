#pragma once
// The rows of one stored query as a step walks them, and the few conversions the steps make of
// the values they read from rows and records.

#include "platform/ado/Ado.h"
#include "platform/com/ComDef.h"

#include <string>

class StepRows {
public:
    StepRows() = default;
    StepRows(const StepRows&) = delete;
    StepRows& operator=(const StepRows&) = delete;
    // Closes the rows when they are still open.
    ~StepRows();

    // The record set the query hands its rows into.
    _RecordsetPtr& Recordset() { return m_rows; }
    // True past the last row, and when there are no rows to walk or the record set fails.
    bool AtEnd() const;
    // Moves to the next row.
    void Next();
    // The column's value in the current row; an empty value when the column is missing.
    _variant_t Value(const char* column) const;
    // Closes the rows (when open) and lets them go.
    void Close();

private:
    _RecordsetPtr m_rows;
};

// A text or number value as text (UTF-8); empty for an empty or null value.
std::string TextOf(const VARIANT& value);
// The same as UTF-16.
std::u16string WideTextOf(const VARIANT& value);
// A BSTR text as UTF-16; empty for a null BSTR.
std::u16string WideTextOf(const _bstr_t& text);
// True for an empty or null value and for a text of no characters.
bool IsEmptyValue(const VARIANT& value);
// True when a Yes/No value holds the database's true.
bool IsTrueFlag(const VARIANT& value);
// A key read from a row or record as a 32-bit integer; false when the value holds none.
bool KeyOf(const VARIANT& value, LONG& key);
