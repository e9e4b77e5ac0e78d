#include "platform/com/Guid.h"

#include <cstdio>
#include <cstring>

#include "platform/com/ObjBase.h"

namespace platform {

std::string GuidToString(REFGUID g)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2, g.Data3,
        g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

std::u16string GuidToWideString(REFGUID g)
{
    const std::string narrow = GuidToString(g);
    return std::u16string(narrow.begin(), narrow.end());
}

} // namespace platform

int StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax)
{
    const std::u16string text = platform::GuidToWideString(rguid);
    const int needed = static_cast<int>(text.size()) + 1;
    if (!lpsz || cchMax < needed)
        return 0;
    std::memcpy(lpsz, text.c_str(), sizeof(OLECHAR) * needed);
    return needed;
}

HRESULT StringFromCLSID(REFCLSID rclsid, LPOLESTR* lplpsz)
{
    if (!lplpsz)
        return E_INVALIDARG;
    *lplpsz = static_cast<LPOLESTR>(CoTaskMemAlloc(39 * sizeof(OLECHAR)));
    if (!*lplpsz)
        return E_OUTOFMEMORY;
    StringFromGUID2(rclsid, *lplpsz, 39);
    return S_OK;
}

HRESULT StringFromIID(REFIID rclsid, LPOLESTR* lplpsz) { return StringFromCLSID(rclsid, lplpsz); }

HRESULT IIDFromString(LPCOLESTR lpsz, LPIID lpiid)
{
    if (!lpsz || !lpiid)
        return E_INVALIDARG;
    const std::u16string_view text(lpsz);
    if (text.size() != 38 || !platform::ParseGuid(text, *lpiid))
        return E_INVALIDARG;
    return S_OK;
}
