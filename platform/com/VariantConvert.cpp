// VariantChangeType: every value is first read into one of a few neutral forms (an exact scaled
// integer, a double, a text, a truth value, an interface), and the target is then built from that
// form with the range checks of its type. Floating values round half to even, as the platform does.

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/com/OleAuto.h"

namespace {

using Int128 = __int128;

constexpr int kMaxScale = 28;
const Int128 kMax96 = (static_cast<Int128>(1) << 96) - 1;

Int128 PowerOfTen(int n)
{
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// A number read from a value: exact (mantissa / 10^scale) or a double.
struct Number {
    bool exact { true };
    Int128 mantissa { 0 };
    int scale { 0 };
    double real { 0 };

    static Number Exact(Int128 m, int s = 0) { return Number { true, m, s, 0 }; }
    static Number Real(double r) { return Number { false, 0, 0, r }; }

    double ToDouble() const { return exact ? static_cast<double>(mantissa) / std::pow(10.0, scale) : real; }
};

// Divides by 10^drop, rounding half to even.
Int128 DropDigits(Int128 m, int drop)
{
    if (drop <= 0)
        return m;
    const Int128 p = PowerOfTen(drop);
    Int128 q = m / p;
    const Int128 r = m % p;
    const Int128 twice = (r < 0 ? -r : r) * 2;
    if (twice > p || (twice == p && (q % 2 != 0)))
        q += m < 0 ? -1 : 1;
    return q;
}

// The integer nearest the number (half to even); false when it is beyond any 64-bit range.
bool ToInteger(const Number& n, Int128& out)
{
    if (n.exact) {
        out = DropDigits(n.mantissa, n.scale);
        return true;
    }
    if (!std::isfinite(n.real) || std::fabs(n.real) >= 1.9e19)
        return false;
    out = static_cast<Int128>(std::nearbyint(n.real));
    return true;
}

// Reads a decimal number text: blanks around it, a sign, digits with optional thousands commas, a
// point and fraction digits, an optional exponent.
bool ParseNumber(const std::u16string& text, Number& out)
{
    std::size_t i = 0, end = text.size();
    while (i < end && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    while (end > i && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    std::string ascii;
    bool negative = false;
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    std::string digits;
    int scale = 0;
    bool point = false, anyDigit = false;
    for (; i < end; ++i) {
        const char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            digits.push_back(static_cast<char>(c));
            anyDigit = true;
            if (point)
                ++scale;
        } else if (c == u',' && !point && anyDigit) {
            continue;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;
    std::string exponent;
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            exponent.push_back(static_cast<char>(text[i++]));
        const std::size_t start = i;
        while (i < end && text[i] >= u'0' && text[i] <= u'9')
            exponent.push_back(static_cast<char>(text[i++]));
        if (i == start)
            return false;
    }
    if (i != end)
        return false;
    // A small exponent only moves the decimal point, so the number can stay exact.
    const long shift = exponent.empty() ? 0 : std::strtol(exponent.c_str(), nullptr, 10);
    bool exactForm = shift > -60 && shift < 60;
    if (exactForm) {
        scale -= static_cast<int>(shift);
        if (scale < 0) {
            digits.append(static_cast<std::size_t>(-scale), '0');
            scale = 0;
        }
    }
    const std::size_t first = digits.find_first_not_of('0');
    const std::size_t significant = first == std::string::npos ? 0 : digits.size() - first;
    if (exactForm && scale <= kMaxScale && significant <= 28) {
        Int128 m = 0;
        for (char c : digits)
            m = m * 10 + (c - '0');
        out = Number::Exact(negative ? -m : m, scale);
        return true;
    }
    std::string plain = (negative ? "-" : "") + digits + "e" + std::to_string(exactForm ? -scale : shift - scale);
    out = Number::Real(std::strtod(plain.c_str(), nullptr));
    return true;
}

std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string FormatExact(Int128 m, int scale)
{
    const bool negative = m < 0;
    if (negative)
        m = -m;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
        m /= 10;
    } while (m != 0);
    if (scale > 0) {
        if (static_cast<int>(digits.size()) <= scale)
            digits.insert(0, static_cast<std::size_t>(scale + 1 - static_cast<int>(digits.size())), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(scale), ".");
        while (digits.back() == '0')
            digits.pop_back();
        if (digits.back() == '.')
            digits.pop_back();
    }
    return (negative && digits != "0" ? "-" : "") + digits;
}

std::string FormatReal(double value, int precision)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*G", precision, value);
    return text;
}

bool ToDecimal(const Number& n, DECIMAL& out)
{
    Number exact = n;
    if (!n.exact) {
        if (!std::isfinite(n.real))
            return false;
        // Fifteen significant digits, as the double's text would show it.
        if (!ParseNumber(Widen(FormatReal(n.real, 15)), exact) || !exact.exact)
            return false;
    }
    Int128 m = exact.mantissa;
    int scale = exact.scale;
    while ((m > kMax96 || m < -kMax96) && scale > 0) {
        m = DropDigits(m, 1);
        --scale;
    }
    if (m > kMax96 || m < -kMax96)
        return false;
    const Int128 magnitude = m < 0 ? -m : m;
    out = DECIMAL {};
    out.scale = static_cast<BYTE>(scale);
    out.sign = m < 0 ? DECIMAL_NEG : 0;
    out.Hi32 = static_cast<ULONG>(magnitude >> 64);
    out.Lo64 = static_cast<ULONGLONG>(magnitude);
    return true;
}

Number FromDecimal(const DECIMAL& d)
{
    const Int128 magnitude = (static_cast<Int128>(d.Hi32) << 64) | d.Lo64;
    return Number::Exact((d.sign & DECIMAL_NEG) ? -magnitude : magnitude, d.scale > kMaxScale ? kMaxScale : d.scale);
}

bool IsInterface(VARTYPE vt) { return vt == VT_UNKNOWN || vt == VT_DISPATCH; }

bool IsNumericTarget(VARTYPE vt)
{
    switch (vt) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
    case VT_BOOL:
        return true;
    default:
        return false;
    }
}

// The number a plain (not by-reference) source holds; DISP_E_TYPEMISMATCH when it holds none.
HRESULT ReadNumber(const VARIANT& v, Number& n)
{
    switch (v.vt) {
    case VT_EMPTY:
        n = Number::Exact(0);
        return S_OK;
    case VT_I1:
        n = Number::Exact(v.cVal);
        return S_OK;
    case VT_UI1:
        n = Number::Exact(v.bVal);
        return S_OK;
    case VT_I2:
        n = Number::Exact(v.iVal);
        return S_OK;
    case VT_UI2:
        n = Number::Exact(v.uiVal);
        return S_OK;
    case VT_I4:
    case VT_INT:
        n = Number::Exact(v.lVal);
        return S_OK;
    case VT_UI4:
    case VT_UINT:
        n = Number::Exact(v.ulVal);
        return S_OK;
    case VT_I8:
        n = Number::Exact(v.llVal);
        return S_OK;
    case VT_UI8:
        n = Number::Exact(v.ullVal);
        return S_OK;
    case VT_BOOL:
        n = Number::Exact(v.boolVal ? -1 : 0);
        return S_OK;
    case VT_R4:
        n = Number::Real(v.fltVal);
        return S_OK;
    case VT_R8:
    case VT_DATE:
        n = Number::Real(v.dblVal);
        return S_OK;
    case VT_CY:
        n = Number::Exact(v.cyVal.int64, 4);
        return S_OK;
    case VT_DECIMAL:
        n = FromDecimal(v.decVal);
        return S_OK;
    case VT_BSTR: {
        const std::u16string text = v.bstrVal ? std::u16string(v.bstrVal) : std::u16string();
        return ParseNumber(text, n) ? S_OK : DISP_E_TYPEMISMATCH;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

template<class T> HRESULT FitInteger(Int128 value, T& out)
{
    if (value < static_cast<Int128>(std::numeric_limits<T>::min())
        || value > static_cast<Int128>(std::numeric_limits<T>::max()))
        return DISP_E_OVERFLOW;
    out = static_cast<T>(value);
    return S_OK;
}

HRESULT BuildNumeric(const Number& n, VARTYPE vt, VARIANT& out)
{
    Int128 whole = 0;
    switch (vt) {
    case VT_BOOL:
        out.boolVal = (n.exact ? n.mantissa != 0 : n.real != 0) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_R4: {
        const double d = n.ToDouble();
        if (std::isfinite(d) && std::fabs(d) > FLT_MAX)
            return DISP_E_OVERFLOW;
        out.fltVal = static_cast<float>(d);
        break;
    }
    case VT_R8:
        out.dblVal = n.ToDouble();
        break;
    case VT_DATE: {
        const double d = n.ToDouble();
        if (!(d >= -657434.0 && d < 2958466.0))
            return DISP_E_OVERFLOW;
        out.date = d;
        break;
    }
    case VT_CY: {
        Int128 scaled = 0;
        if (n.exact) {
            scaled = n.scale <= 4 ? n.mantissa * PowerOfTen(4 - n.scale) : DropDigits(n.mantissa, n.scale - 4);
        } else if (!ToInteger(Number::Real(n.real * 10000.0), scaled)) {
            return DISP_E_OVERFLOW;
        }
        return FitInteger(scaled, out.cyVal.int64);
    }
    case VT_DECIMAL: {
        DECIMAL d;
        if (!ToDecimal(n, d))
            return DISP_E_OVERFLOW;
        out.decVal = d;
        break;
    }
    default:
        if (!ToInteger(n, whole))
            return DISP_E_OVERFLOW;
        switch (vt) {
        case VT_I1:
            return FitInteger(whole, out.cVal);
        case VT_UI1:
            return FitInteger(whole, out.bVal);
        case VT_I2:
            return FitInteger(whole, out.iVal);
        case VT_UI2:
            return FitInteger(whole, out.uiVal);
        case VT_I4:
        case VT_INT:
            return FitInteger(whole, out.lVal);
        case VT_UI4:
        case VT_UINT:
            return FitInteger(whole, out.ulVal);
        case VT_I8:
            return FitInteger(whole, out.llVal);
        case VT_UI8:
            return FitInteger(whole, out.ullVal);
        default:
            return DISP_E_BADVARTYPE;
        }
    }
    return S_OK;
}

HRESULT BuildText(const VARIANT& v, USHORT flags, LCID lcid, BSTR& out)
{
    std::string text;
    switch (v.vt) {
    case VT_EMPTY:
        break;
    case VT_BOOL:
        if (flags & VARIANT_ALPHABOOL)
            text = v.boolVal ? "True" : "False";
        else
            text = v.boolVal ? "-1" : "0";
        break;
    case VT_R4:
        text = FormatReal(v.fltVal, 7);
        break;
    case VT_R8:
        text = FormatReal(v.dblVal, 15);
        break;
    case VT_DATE:
        return VarBstrFromDate(v.date, lcid, 0, &out);
    default: {
        Number n;
        const HRESULT hr = ReadNumber(v, n);
        if (FAILED(hr))
            return hr;
        text = FormatExact(n.mantissa, n.scale);
        break;
    }
    }
    const std::u16string wide = Widen(text);
    out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return out ? S_OK : E_OUTOFMEMORY;
}

// A text read as a truth value: "True"/"False" in any case, or a number.
HRESULT ReadBoolText(BSTR text, VARIANT_BOOL& out)
{
    std::u16string value = text ? std::u16string(text) : std::u16string();
    while (!value.empty() && (value.back() == u' ' || value.back() == u'\t'))
        value.pop_back();
    std::size_t lead = value.find_first_not_of(u" \t");
    value = lead == std::u16string::npos ? std::u16string() : value.substr(lead);
    std::u16string folded;
    for (char16_t c : value)
        folded.push_back(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c);
    if (folded == u"true" || folded == u"#true#") {
        out = VARIANT_TRUE;
        return S_OK;
    }
    if (folded == u"false" || folded == u"#false#") {
        out = VARIANT_FALSE;
        return S_OK;
    }
    Number n;
    if (!ParseNumber(value, n))
        return DISP_E_TYPEMISMATCH;
    out = (n.exact ? n.mantissa != 0 : n.real != 0) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// Builds `out` (initialised, type not yet set) as vt from a plain source value.
HRESULT Convert(const VARIANT& in, VARTYPE vt, USHORT flags, LCID lcid, VARIANT& out)
{
    if (vt == VT_EMPTY)
        return S_OK;
    if (vt == VT_NULL)
        return in.vt == VT_NULL || in.vt == VT_EMPTY ? S_OK : DISP_E_TYPEMISMATCH;
    if (in.vt == VT_NULL)
        return DISP_E_TYPEMISMATCH;
    if (IsInterface(vt)) {
        if (!IsInterface(in.vt))
            return DISP_E_TYPEMISMATCH;
        if (!in.punkVal)
            return S_OK;
        const HRESULT hr = in.punkVal->QueryInterface(
            vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, reinterpret_cast<void**>(&out.punkVal));
        return hr == E_NOINTERFACE ? DISP_E_TYPEMISMATCH : hr;
    }
    if (in.vt == VT_DISPATCH) {
        // An object converts through its default value.
        if (!in.pdispVal || (flags & VARIANT_NOVALUEPROP))
            return DISP_E_TYPEMISMATCH;
        VARIANT value;
        VariantInit(&value);
        DISPPARAMS none;
        HRESULT hr
            = in.pdispVal->Invoke(DISPID_VALUE, IID_NULL, lcid, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
        if (FAILED(hr))
            return DISP_E_TYPEMISMATCH;
        if (value.vt == VT_DISPATCH) {
            VariantClear(&value);
            return DISP_E_TYPEMISMATCH;
        }
        hr = Convert(value, vt, flags, lcid, out);
        VariantClear(&value);
        return hr;
    }
    if (in.vt == VT_UNKNOWN)
        return DISP_E_TYPEMISMATCH;
    if (vt == VT_ERROR) {
        if (in.vt != VT_I4 && in.vt != VT_UI4 && in.vt != VT_INT && in.vt != VT_UINT)
            return DISP_E_TYPEMISMATCH;
        out.scode = in.lVal;
        return S_OK;
    }
    if (in.vt == VT_ERROR)
        return DISP_E_TYPEMISMATCH;
    if (vt == VT_BSTR)
        return BuildText(in, flags, lcid, out.bstrVal);
    if (in.vt == VT_BSTR && vt == VT_DATE) {
        const HRESULT hr = VarDateFromStr(in.bstrVal ? in.bstrVal : u"", lcid, 0, &out.date);
        return hr == E_INVALIDARG ? DISP_E_TYPEMISMATCH : hr;
    }
    if (in.vt == VT_BSTR && vt == VT_BOOL)
        return ReadBoolText(in.bstrVal, out.boolVal);
    if (!IsNumericTarget(vt))
        return DISP_E_BADVARTYPE;
    Number n;
    const HRESULT hr = ReadNumber(in, n);
    if (FAILED(hr))
        return hr;
    return BuildNumeric(n, vt, out);
}

bool IsSupportedTarget(VARTYPE vt)
{
    return vt == VT_EMPTY || vt == VT_NULL || vt == VT_BSTR || vt == VT_ERROR || IsInterface(vt) || IsNumericTarget(vt);
}

} // namespace

HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt)
{
    if (!pvargDest || !pvarSrc)
        return E_INVALIDARG;
    VARIANT in;
    VariantInit(&in);
    HRESULT hr = VariantCopyInd(&in, pvarSrc);
    if (FAILED(hr))
        return hr;
    VARIANT out;
    VariantInit(&out);
    if (in.vt == vt) {
        hr = VariantCopy(&out, &in);
    } else if ((vt & (VT_BYREF | VT_ARRAY)) || (in.vt & VT_ARRAY)) {
        hr = (vt & ~(VT_BYREF | VT_ARRAY | VT_TYPEMASK)) ? DISP_E_BADVARTYPE : DISP_E_TYPEMISMATCH;
    } else if (!IsSupportedTarget(vt)) {
        hr = DISP_E_BADVARTYPE;
    } else {
        hr = Convert(in, vt, wFlags, lcid, out);
        if (SUCCEEDED(hr))
            out.vt = vt; // last: a DECIMAL's bytes overlay the type word
    }
    VariantClear(&in);
    if (FAILED(hr)) {
        VariantClear(&out);
        return hr;
    }
    hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        VariantClear(&out);
        return hr;
    }
    *pvargDest = out;
    return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt)
{
    return VariantChangeTypeEx(pvargDest, pvarSrc, LOCALE_USER_DEFAULT, wFlags, vt);
}
