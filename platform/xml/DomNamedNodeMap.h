#pragma once
// The attributes of one element, looked up by qualified name or position.

#include "platform/com/AtlBase.h"
#include "platform/xml/DispatchTables.h"
#include "platform/xml/XmlTree.h"

namespace platform::xml {

class CDomNamedNodeMap : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<IXMLDOMNamedNodeMap> {
public:
    BEGIN_COM_MAP(CDomNamedNodeMap)
    COM_INTERFACE_ENTRY(IXMLDOMNamedNodeMap)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(NodeRef element) { m_element = std::move(element); }

    HRESULT getNamedItem(BSTR name, IXMLDOMNode** attribute) override;
    HRESULT get_item(LONG index, IXMLDOMNode** attribute) override;
    HRESULT get_length(LONG* length) override;

private:
    NodeRef m_element;
};

} // namespace platform::xml
