#include "sync/StepRows.h"

#include "platform/com/OleAuto.h"

StepRows::~StepRows()
{
    Close();
}

bool StepRows::AtEnd() const
{
    VARIANT_BOOL end = VARIANT_TRUE;
    return !m_rows || FAILED(m_rows->get_EOF(&end)) || end != VARIANT_FALSE;
}

void StepRows::Next()
{
    if (m_rows)
        m_rows->MoveNext();
}

_variant_t StepRows::Value(const char* column) const
{
    _variant_t value;
    if (!m_rows)
        return value;
    FieldsPtr fields;
    FieldPtr field;
    if (FAILED(m_rows->get_Fields(&fields)) || !fields || FAILED(fields->get_Item(_variant_t(column), &field)) || !field)
        return value;
    field->get_Value(&value);
    return value;
}

void StepRows::Close()
{
    if (!m_rows)
        return;
    LONG state = adStateClosed;
    if (SUCCEEDED(m_rows->get_State(&state)) && (state & adStateOpen))
        m_rows->Close();
    m_rows = nullptr;
}

std::string TextOf(const VARIANT& value)
{
    if (IsEmptyValue(value))
        return {};
    if (value.vt == VT_BSTR)
        return static_cast<const char*>(_bstr_t(value.bstrVal));
    _variant_t text;
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
        return {};
    return static_cast<const char*>(_bstr_t(text.bstrVal));
}

std::u16string WideTextOf(const VARIANT& value)
{
    if (IsEmptyValue(value))
        return {};
    if (value.vt == VT_BSTR)
        return value.bstrVal;
    _variant_t text;
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)) || !text.bstrVal)
        return {};
    return text.bstrVal;
}

std::u16string WideTextOf(const _bstr_t& text)
{
    const OLECHAR* wide = text;
    return wide ? std::u16string(wide) : std::u16string();
}

bool IsEmptyValue(const VARIANT& value)
{
    return value.vt == VT_EMPTY || value.vt == VT_NULL || (value.vt == VT_BSTR && (!value.bstrVal || !*value.bstrVal));
}

bool IsTrueFlag(const VARIANT& value)
{
    switch (value.vt) {
    case VT_BOOL: return value.boolVal != VARIANT_FALSE;
    case VT_I2: return value.iVal == -1;
    case VT_I4: return value.lVal == -1;
    default: return false;
    }
}

bool KeyOf(const VARIANT& value, LONG& key)
{
    if (IsEmptyValue(value))
        return false;
    _variant_t number;
    if (FAILED(VariantChangeType(&number, &value, 0, VT_I4)))
        return false;
    key = number.lVal;
    return true;
}
