#include "platform/cddb/ComText.h"

#include "platform/base/CodePage.h"

namespace platform::cddb {

HRESULT ReturnText(const std::string& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    const std::u16string wide = platform::Utf8ToUtf16(text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

std::string TextOf(BSTR text)
{
    return text ? platform::Utf16ToUtf8(std::u16string_view(text, SysStringLen(text))) : std::string();
}

} // namespace platform::cddb
