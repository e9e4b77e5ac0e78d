#pragma once
// Values between VARIANTs and the database: what a caller binds or sets, and what a field gives back
// in the engine's types (Long as VT_I4, Yes/No as VT_BOOL, dates as VT_DATE, text as VT_BSTR).

#include "platform/ado/ColumnTypes.h"
#include "platform/ado/DbValue.h"
#include "platform/com/OleAuto.h"

namespace platform::ado {

// The value a VARIANT stands for (VT_BOOL as -1/0, VT_DATE as its number, by-reference values
// followed); false when the type has no database value (an object, an array of other than bytes).
bool DbValueFromVariant(const VARIANT& variant, DbValue& value);
// The VARIANT of a stored value read from a column of the given type (VT_NULL for Null).
HRESULT VariantFromDbValue(const DbValue& value, ColumnType type, VARIANT* out);
// The value converted as a parameter of the given type takes it before it is bound; a date given to
// an integer parameter keeps its time of day.
HRESULT DbValueForParameter(const VARIANT& variant, DataTypeEnum type, DbValue& value);
// UTF-8 text of a BSTR (null reads as empty).
std::string TextOfBstr(const OLECHAR* text);
// A new BSTR holding UTF-8 text.
BSTR AllocBstr(std::string_view text);

} // namespace platform::ado
