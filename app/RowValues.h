#pragma once
// A record set's values as the library tree reads them: Null and values that do not convert read as 0
// or as empty text.

#include "library/ChangeTracking.h"
#include "platform/afx/CString.h"
#include "platform/com/BstrT.h"
#include "platform/com/VariantT.h"

inline long RowValueLong(const VARIANT& value)
{
    LONG nValue = 0;
    return VariantToLong(value, nValue) ? nValue : 0;
}

inline CString RowValueText(const VARIANT& value)
{
    _variant_t text;
    if (value.vt == VT_BSTR)
        text = value;
    else if (value.vt == VT_EMPTY || value.vt == VT_NULL || FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
        return CString();
    const _bstr_t wide(text.bstrVal, true);
    const char* pszText = wide;
    return CString(pszText ? pszText : "");
}
