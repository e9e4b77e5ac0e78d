#include "sync/QueryParameter.h"

#include <algorithm>

const QueryParameterList NoQueryParameters;

namespace {

LONG SizeOf(const VARIANT& value)
{
    switch (value.vt) {
    case VT_I2:
        return 2;
    case VT_I4:
    case VT_BOOL:
        return 4;
    case VT_R8:
    case VT_DATE:
        return 8;
    case VT_BSTR:
        return value.bstrVal ? static_cast<LONG>(SysStringLen(value.bstrVal)) : 0;
    default:
        return 0;
    }
}

} // namespace

QueryParameter::QueryParameter(
    const char* name, const _variant_t& value, DataTypeEnum type, ParameterDirectionEnum direction)
    : m_name(name)
    , m_value(value)
    , m_type(type)
    , m_size(std::max<LONG>(SizeOf(value), 1))
    , m_direction(direction)
{
}

_variant_t QueryParameter::ValueForBinding() const
{
    if (m_value.vt == VT_BSTR && SysStringLen(m_value.bstrVal) == 0)
        return _variant_t(" ");
    if (m_value.vt == VT_EMPTY) {
        switch (m_type) {
        case adInteger:
            return _variant_t(LONG { 0 });
        case adBSTR:
            return _variant_t(" ");
        case adBoolean:
            return _variant_t(false);
        default:
            return m_value;
        }
    }
    if (m_type == adInteger && m_value.vt != VT_I4) {
        // The stored queries declare Long parameters; anything that is not a number binds 0.
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, &m_value, 0, VT_I4)))
            return _variant_t(LONG { 0 });
        return _variant_t(converted, false);
    }
    return m_value;
}
