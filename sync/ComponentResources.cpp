// Texts and stylesheets from the component's own resources.

#include <cstring>

#include "platform/base/CodePage.h"
#include "platform/base/Modules.h"
#include "platform/base/Resources.h"
#include "platform/com/OleAuto.h"
#include "sync/ComponentUtilities.h"

namespace {

constexpr int kStringBufferSize = 512;

// The module that holds this code: the component library, or a test program that links its code.
HMODULE ComponentModule() { return platform::ModuleFromAddress(reinterpret_cast<const void*>(&LoadStylesheet)); }

} // namespace

bool LoadStringAsBstr(HINSTANCE module, UINT id, BSTR& text)
{
    char buffer[kStringBufferSize] {};
    const int length = LoadString(module, id, buffer, kStringBufferSize);
    SysFreeString(text);
    text = nullptr;
    if (length <= 0)
        return false;
    const std::u16string wide = platform::Utf8ToUtf16(std::string_view(buffer, static_cast<std::size_t>(length)));
    text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return text != nullptr;
}

bool LoadStylesheet(_bstr_t& text, UINT id)
{
    text = _bstr_t();
    const HMODULE module = ComponentModule();
    const HRSRC found = FindResource(module, MAKEINTRESOURCE(id), RT_RCDATA);
    if (!found)
        return false;
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const char*>(loaded ? LockResource(loaded) : nullptr);
    if (!data)
        return false;
    // The text ends at its zero byte, or at the resource's end when the zero is missing.
    const std::size_t size = SizeofResource(module, found);
    const std::string_view stylesheet(data, strnlen(data, size));
    if (stylesheet.empty())
        return false;
    text = _bstr_t(platform::Utf8ToUtf16(stylesheet).c_str());
    return true;
}
