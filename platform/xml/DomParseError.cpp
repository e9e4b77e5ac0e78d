#include "platform/xml/DomParseError.h"

#include "platform/xml/XmlLibrary.h"

namespace platform::xml {
namespace {

HRESULT CopyOutNumber(LONG* out, LONG value)
{
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}

} // namespace

HRESULT CDomParseError::get_errorCode(LONG* code) { return CopyOutNumber(code, m_info.errorCode); }
// Documents are only ever loaded from text, so there is never a URL.
HRESULT CDomParseError::get_url(BSTR* url) { return CopyOutText(url, ""); }
HRESULT CDomParseError::get_reason(BSTR* reason) { return CopyOutText(reason, m_info.reason); }
HRESULT CDomParseError::get_srcText(BSTR* text) { return CopyOutText(text, m_info.srcText); }
HRESULT CDomParseError::get_line(LONG* line) { return CopyOutNumber(line, m_info.line); }
HRESULT CDomParseError::get_linepos(LONG* position) { return CopyOutNumber(position, m_info.linepos); }
HRESULT CDomParseError::get_filepos(LONG* position) { return CopyOutNumber(position, m_info.filepos); }

} // namespace platform::xml
