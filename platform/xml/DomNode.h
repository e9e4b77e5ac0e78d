#pragma once
// Node objects handed out of a document: CDomElement for elements, CDomNode for every other kind.
// Each holds its tree, so it stays usable after the document has loaded other text.

#include "platform/xml/DomNodeImpl.h"

namespace platform::xml {

class CDomNode : public CComObjectRootEx<CComMultiThreadModel>, public DomNodeImpl<IXMLDOMNode>, public IXmlNodeAccess {
public:
    BEGIN_COM_MAP(CDomNode)
    COM_INTERFACE_ENTRY(IXMLDOMNode)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IXmlNodeAccess)
    END_COM_MAP()

    void Init(NodeRef ref) { m_ref = std::move(ref); }
    NodeRef NodeOf() override { return m_ref; }

protected:
    NodeRef Target() override { return m_ref; }

private:
    NodeRef m_ref;
};

class CDomElement : public CComObjectRootEx<CComMultiThreadModel>,
                    public DomNodeImpl<IXMLDOMElement>,
                    public IXmlNodeAccess {
public:
    BEGIN_COM_MAP(CDomElement)
    COM_INTERFACE_ENTRY(IXMLDOMElement)
    COM_INTERFACE_ENTRY(IXMLDOMNode)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IXmlNodeAccess)
    END_COM_MAP()

    void Init(NodeRef ref) { m_ref = std::move(ref); }
    NodeRef NodeOf() override { return m_ref; }

    HRESULT get_tagName(BSTR* name) override;
    HRESULT getAttribute(BSTR name, VARIANT* value) override;

protected:
    NodeRef Target() override { return m_ref; }

private:
    NodeRef m_ref;
};

} // namespace platform::xml
