#include "platform/ado/VariantValues.h"

#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform::ado {

std::string TextOfBstr(const OLECHAR* text)
{
    if (!text)
        return {};
    return Utf16ToUtf8(std::u16string_view(text, SysStringLen(const_cast<BSTR>(text))));
}

BSTR AllocBstr(std::string_view text)
{
    const std::u16string wide = Utf8ToUtf16(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

bool DbValueFromVariant(const VARIANT& variant, DbValue& value)
{
    const VARIANT* v = &variant;
    while (v->vt == (VT_BYREF | VT_VARIANT) && v->pvarVal)
        v = v->pvarVal;
    const VARTYPE vt = v->vt;
    const bool byRef = (vt & VT_BYREF) != 0;
    switch (vt & ~VT_BYREF) {
    case VT_EMPTY:
    case VT_NULL:
        value = DbNull {};
        return true;
    case VT_I1:
        value = std::int64_t { byRef ? *v->pcVal : v->cVal };
        return true;
    case VT_UI1:
        value = std::int64_t { byRef ? *v->pbVal : v->bVal };
        return true;
    case VT_I2:
        value = std::int64_t { byRef ? *v->piVal : v->iVal };
        return true;
    case VT_UI2:
        value = std::int64_t { byRef ? *v->puiVal : v->uiVal };
        return true;
    case VT_I4:
    case VT_INT:
        value = std::int64_t { byRef ? *v->plVal : v->lVal };
        return true;
    case VT_UI4:
    case VT_UINT:
        value = std::int64_t { byRef ? *v->pulVal : v->ulVal };
        return true;
    case VT_I8:
        value = std::int64_t { byRef ? *v->pllVal : v->llVal };
        return true;
    case VT_UI8:
        value = static_cast<std::int64_t>(byRef ? *v->pullVal : v->ullVal);
        return true;
    case VT_R4:
        value = double { byRef ? *v->pfltVal : v->fltVal };
        return true;
    case VT_R8:
        value = byRef ? *v->pdblVal : v->dblVal;
        return true;
    case VT_DATE:
        value = byRef ? *v->pdate : v->date;
        return true;
    case VT_CY:
        value = static_cast<double>((byRef ? *v->pcyVal : v->cyVal).int64) / 10000.0;
        return true;
    case VT_BOOL:
        value = std::int64_t { (byRef ? *v->pboolVal : v->boolVal) ? -1 : 0 };
        return true;
    case VT_BSTR:
        value = TextOfBstr(byRef ? *v->pbstrVal : v->bstrVal);
        return true;
    case VT_DECIMAL: {
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, v, 0, VT_R8)))
            return false;
        value = converted.dblVal;
        return true;
    }
    case VT_ARRAY | VT_UI1: {
        SAFEARRAY* array = byRef ? *v->pparray : v->parray;
        DbBlob bytes;
        if (array && array->cDims == 1) {
            void* data = nullptr;
            if (FAILED(SafeArrayAccessData(array, &data)))
                return false;
            const auto* begin = static_cast<const std::uint8_t*>(data);
            bytes.assign(begin, begin + array->rgsabound[0].cElements);
            SafeArrayUnaccessData(array);
        }
        value = std::move(bytes);
        return true;
    }
    default:
        return false;
    }
}

namespace {

HRESULT SetText(VARIANT* out, std::string_view text)
{
    out->bstrVal = AllocBstr(text);
    if (!out->bstrVal)
        return E_OUTOFMEMORY;
    out->vt = VT_BSTR;
    return S_OK;
}

double NumberOf(const DbValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    if (const auto* s = std::get_if<std::string>(&value))
        return std::atof(s->c_str());
    return 0;
}

std::string TextOf(const DbValue& value)
{
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&value)) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.15g", *d);
        return buffer;
    }
    return {};
}

} // namespace

HRESULT VariantFromDbValue(const DbValue& value, ColumnType type, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    if (IsNull(value)) {
        out->vt = VT_NULL;
        return S_OK;
    }
    if (const auto* bytes = std::get_if<DbBlob>(&value)) {
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes->size()));
        if (!array)
            return E_OUTOFMEMORY;
        void* data = nullptr;
        SafeArrayAccessData(array, &data);
        if (!bytes->empty())
            std::memcpy(data, bytes->data(), bytes->size());
        SafeArrayUnaccessData(array);
        out->vt = VT_ARRAY | VT_UI1;
        out->parray = array;
        return S_OK;
    }
    const bool isText = std::holds_alternative<std::string>(value);
    switch (type.type) {
    case adBoolean:
        out->vt = VT_BOOL;
        out->boolVal = NumberOf(value) != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case adDate:
    case adDBDate:
    case adDBTimeStamp:
        if (isText)
            return SetText(out, TextOf(value));
        out->vt = VT_DATE;
        out->date = NumberOf(value);
        return S_OK;
    case adInteger:
    case adSmallInt:
    case adUnsignedTinyInt:
    case adTinyInt:
    case adBigInt: {
        if (isText)
            return SetText(out, TextOf(value));
        const double number = NumberOf(value);
        const double whole = std::nearbyint(number);
        if (whole >= -2147483648.0 && whole <= 2147483647.0 && (whole == number || type.type != adInteger)) {
            if (type.type == adSmallInt && whole >= -32768 && whole <= 32767) {
                out->vt = VT_I2;
                out->iVal = static_cast<SHORT>(whole);
            } else if (type.type == adUnsignedTinyInt && whole >= 0 && whole <= 255) {
                out->vt = VT_UI1;
                out->bVal = static_cast<BYTE>(whole);
            } else {
                out->vt = VT_I4;
                out->lVal = static_cast<LONG>(whole);
            }
            return S_OK;
        }
        out->vt = VT_R8;
        out->dblVal = number;
        return S_OK;
    }
    case adDouble:
    case adSingle:
    case adCurrency:
    case adNumeric:
    case adDecimal:
        if (isText)
            return SetText(out, TextOf(value));
        if (type.type == adSingle) {
            out->vt = VT_R4;
            out->fltVal = static_cast<float>(NumberOf(value));
        } else if (type.type == adCurrency) {
            out->vt = VT_CY;
            out->cyVal.int64 = static_cast<LONGLONG>(std::llround(NumberOf(value) * 10000.0));
        } else {
            out->vt = VT_R8;
            out->dblVal = NumberOf(value);
        }
        return S_OK;
    default:
        return SetText(out, TextOf(value));
    }
}

HRESULT DbValueForParameter(const VARIANT& variant, DataTypeEnum type, DbValue& value)
{
    if (!DbValueFromVariant(variant, value))
        return DISP_E_TYPEMISMATCH;
    if (IsNull(value))
        return S_OK;
    const VARTYPE vt = variant.vt & ~VT_BYREF;
    switch (type) {
    case adInteger:
    case adSmallInt:
    case adTinyInt:
    case adUnsignedTinyInt:
    case adBigInt:
        // A date handed to an integer parameter would lose its time of day; it goes in whole.
        if (vt == VT_DATE)
            return S_OK;
        if (const auto* d = std::get_if<double>(&value)) {
            value = static_cast<std::int64_t>(std::nearbyint(*d));
        } else if (const auto* s = std::get_if<std::string>(&value)) {
            char* end = nullptr;
            const double number = std::strtod(s->c_str(), &end);
            if (s->empty() || (end && *end != '\0' && *end != ' '))
                return DISP_E_TYPEMISMATCH;
            value = static_cast<std::int64_t>(std::nearbyint(number));
        }
        return S_OK;
    case adBoolean:
        if (const auto* s = std::get_if<std::string>(&value)) {
            std::string word;
            for (char c : *s)
                if (c != ' ' && c != '\t')
                    word += FoldCase(c);
            if (word == "true" || word == "yes" || word == "on")
                value = std::int64_t { -1 };
            else if (word == "false" || word == "no" || word == "off" || word.empty())
                value = std::int64_t { 0 };
            else {
                char* end = nullptr;
                const double number = std::strtod(word.c_str(), &end);
                if (end && *end != '\0')
                    return DISP_E_TYPEMISMATCH;
                value = std::int64_t { number != 0 ? -1 : 0 };
            }
        } else {
            value = std::int64_t { NumberOf(value) != 0 ? -1 : 0 };
        }
        return S_OK;
    case adDate:
    case adDBDate:
    case adDBTimeStamp:
    case adDBTime:
        if (std::holds_alternative<std::string>(value)) {
            VARIANT converted;
            VariantInit(&converted);
            if (FAILED(VariantChangeType(&converted, &variant, 0, VT_DATE)))
                return DISP_E_TYPEMISMATCH;
            value = converted.date;
        } else if (const auto* i = std::get_if<std::int64_t>(&value)) {
            value = static_cast<double>(*i);
        }
        return S_OK;
    case adDouble:
    case adSingle:
    case adCurrency:
    case adNumeric:
    case adDecimal:
        if (std::holds_alternative<std::string>(value) || std::holds_alternative<std::int64_t>(value))
            value = NumberOf(value);
        return S_OK;
    case adBSTR:
    case adVarChar:
    case adVarWChar:
    case adChar:
    case adWChar:
    case adLongVarChar:
    case adLongVarWChar:
        if (vt == VT_BOOL)
            value = std::string(NumberOf(value) != 0 ? "True" : "False");
        else if (!std::holds_alternative<std::string>(value) && !std::holds_alternative<DbBlob>(value))
            value = TextOf(value);
        return S_OK;
    default:
        return S_OK;
    }
}

} // namespace platform::ado
