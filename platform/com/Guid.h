#pragma once
// Globally unique identifiers: the GUID record, its text form, and the identifier lookup per
// interface type that stands in for a compiler's uuid attribute.

#include <string>
#include <string_view>
#include <type_traits>

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

struct GUID {
    DWORD Data1 { 0 };
    WORD Data2 { 0 };
    WORD Data3 { 0 };
    BYTE Data4[8] {};

    friend constexpr bool operator==(const GUID& a, const GUID& b)
    {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
            return false;
        for (int i = 0; i < 8; ++i)
            if (a.Data4[i] != b.Data4[i])
                return false;
        return true;
    }
};
using IID = GUID;
using CLSID = GUID;
using LPGUID = GUID*;
using LPIID = IID*;
using LPCLSID = CLSID*;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

// True when both identifiers are equal.
constexpr bool IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }
constexpr bool IsEqualIID(REFIID a, REFIID b) { return a == b; }
constexpr bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return a == b; }
constexpr bool InlineIsEqualGUID(REFGUID a, REFGUID b) { return a == b; }

namespace platform {

namespace detail {
constexpr int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace detail

// Parses "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", with or without braces; false (g untouched) on
// any other text.
template<class Char> constexpr bool ParseGuid(std::basic_string_view<Char> text, GUID& g)
{
    if (text.size() == 38) {
        if (text.front() != Char('{') || text.back() != Char('}'))
            return false;
        text = text.substr(1, 36);
    }
    if (text.size() != 36)
        return false;
    unsigned long long groups[5] {};
    const int lengths[5] { 8, 4, 4, 4, 12 };
    std::size_t pos = 0;
    for (int i = 0; i < 5; ++i) {
        unsigned long long value = 0;
        for (int k = 0; k < lengths[i]; ++k) {
            const Char c = text[pos++];
            const int d = (c >= 0 && c < 128) ? detail::HexDigit(static_cast<char>(c)) : -1;
            if (d < 0)
                return false;
            value = value * 16 + static_cast<unsigned>(d);
        }
        groups[i] = value;
        if (i < 4 && text[pos++] != Char('-'))
            return false;
    }
    GUID r;
    r.Data1 = static_cast<DWORD>(groups[0]);
    r.Data2 = static_cast<WORD>(groups[1]);
    r.Data3 = static_cast<WORD>(groups[2]);
    r.Data4[0] = static_cast<BYTE>(groups[3] >> 8);
    r.Data4[1] = static_cast<BYTE>(groups[3]);
    for (int i = 0; i < 6; ++i)
        r.Data4[2 + i] = static_cast<BYTE>(groups[4] >> (8 * (5 - i)));
    g = r;
    return true;
}

// A GUID from its text at compile time; a malformed literal fails to compile.
consteval GUID MakeGuid(const char* text)
{
    std::string_view view(text);
    GUID g;
    if (!ParseGuid(view, g))
        throw "malformed GUID literal";
    return g;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in capitals, as the registry keeps class keys.
std::string GuidToString(REFGUID g);
std::u16string GuidToWideString(REFGUID g);

// The interface identifier of an interface type; specialised once per interface with TS_DEFINE_IID.
template<class Interface> struct InterfaceId;

template<class Interface> constexpr const IID& IidOf() { return InterfaceId<std::remove_cv_t<Interface>>::value; }

} // namespace platform

// Ties an interface type to its identifier (written at namespace scope, outside any namespace).
#define TS_DEFINE_IID(Interface, text)                                                                                 \
    template<> struct platform::InterfaceId<Interface> {                                                               \
        static constexpr IID value = platform::MakeGuid(text);                                                         \
    }

inline constexpr GUID GUID_NULL {};
inline constexpr IID IID_NULL {};
inline constexpr CLSID CLSID_NULL {};

// Writes the braced text form of rguid and its terminating zero; the number of characters written
// including the zero, or 0 when cchMax is too small.
int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);
// Allocates (CoTaskMemAlloc) the braced text form of rclsid.
HRESULT StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz);
HRESULT StringFromIID(REFIID rclsid, LPOLESTR* lplpsz);
// Parses a braced interface identifier; E_INVALIDARG on a malformed text.
HRESULT IIDFromString(LPCOLESTR lpsz, LPIID lpiid);
