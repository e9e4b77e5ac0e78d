#include "library/ConnectionString.h"

#include "platform/com/OleAuto.h"

#include <cstdio>

namespace {

CString Quoted(const CString& text)
{
    CString doubled = text;
    doubled.Replace("\"", "\"\"");
    return "\"" + doubled + "\"";
}

bool IsText(const VARIANT& v) { return v.vt == VT_BSTR || v.vt == (VT_BSTR | VT_BYREF); }

CString TextOf(const VARIANT& v)
{
    const BSTR text = v.vt == VT_BSTR ? v.bstrVal : (v.pbstrVal != nullptr ? *v.pbstrVal : nullptr);
    return CString(static_cast<LPCWSTR>(text));
}

bool IsNothing(const VARIANT& v) { return v.vt == VT_EMPTY || v.vt == VT_NULL; }

// A value as a 32-bit integer between double quotes; false when it has no integer form.
bool QuotedInteger(const VARIANT& value, CString& text)
{
    LONG number = 0;
    if (value.vt == VT_I4) {
        number = value.lVal;
    } else {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, &value, 0, VT_I4)))
            return false;
        number = converted.lVal;
        VariantClear(&converted);
    }
    text.Format("\"%d\"", number);
    return true;
}

bool DateLiteral(const VARIANT& value, CString& text)
{
    SYSTEMTIME time {};
    if (!VariantTimeToSystemTime(value.date, &time))
        return false;
    text.Format("#%02d/%02d/%04d#", time.wMonth, time.wDay, time.wYear);
    return true;
}

} // namespace

CString MakeConnectionString(LPCTSTR path)
{
    CString text;
    text.FormatMessage("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1!s!;Persist Security Info=False", path != nullptr ? path : "");
    return text;
}

bool BuildInsertSql(CString& out, LPCTSTR table, int count, const VARIANT* names, const VARIANT* values)
{
    if (count < 1 || names == nullptr || values == nullptr)
        return false;
    CString columns;
    CString items;
    bool first = true;
    for (int i = 0; i < count; ++i) {
        if (!IsText(names[i]))
            continue;
        const VARIANT& value = values[i];
        CString item;
        if (IsText(value))
            item = Quoted(TextOf(value));
        else if (IsNothing(value))
            item = "NULL";
        else if (value.vt == VT_DATE && i > 0) {
            // Dates are written without their time of day, as the database's date literal has it.
            if (!DateLiteral(value, item))
                return false;
        } else if (!QuotedInteger(value, item))
            return false;
        // The lists start with the first pair that is used, so a skipped first pair leaves no stray comma.
        if (!first) {
            columns += ", ";
            items += ", ";
        }
        columns += "[" + TextOf(names[i]) + "]";
        items += item;
        first = false;
    }
    if (first)
        return false;
    out.Format("INSERT INTO %s (%s) VALUES (%s)", table != nullptr ? table : "", columns.GetString(), items.GetString());
    return true;
}
