#pragma once
// The outcome of a document's last load, as a snapshot.

#include <string>

#include "platform/com/AtlBase.h"
#include "platform/xml/DispatchTables.h"

namespace platform::xml {

struct ParseErrorInfo {
    LONG errorCode { 0 };
    std::string reason;
    std::string srcText;
    LONG line { 0 };
    LONG linepos { 0 };
    LONG filepos { 0 };
};

class CDomParseError : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<IXMLDOMParseError> {
public:
    BEGIN_COM_MAP(CDomParseError)
    COM_INTERFACE_ENTRY(IXMLDOMParseError)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(ParseErrorInfo info) { m_info = std::move(info); }

    HRESULT get_errorCode(LONG* code) override;
    HRESULT get_url(BSTR* url) override;
    HRESULT get_reason(BSTR* reason) override;
    HRESULT get_srcText(BSTR* text) override;
    HRESULT get_line(LONG* line) override;
    HRESULT get_linepos(LONG* position) override;
    HRESULT get_filepos(LONG* position) override;

private:
    ParseErrorInfo m_info;
};

} // namespace platform::xml
