#pragma once
// The DOM document. CDOMDocument30 and CFreeThreadedDOMDocument30 are the same object under their
// two class identifiers: every call takes the document's lock, so either may be shared by threads.

#include "platform/xml/DomNodeImpl.h"
#include "platform/xml/DomParseError.h"

namespace platform::xml {

class CDomDocument : public CComObjectRootEx<CComMultiThreadModel>,
                     public DomNodeImpl<IXMLDOMDocument2>,
                     public IXmlNodeAccess {
public:
    BEGIN_COM_MAP(CDomDocument)
    COM_INTERFACE_ENTRY(IXMLDOMDocument2)
    COM_INTERFACE_ENTRY(IXMLDOMDocument)
    COM_INTERFACE_ENTRY(IXMLDOMNode)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IXmlNodeAccess)
    END_COM_MAP()

    HRESULT FinalConstruct();
    void FinalRelease() { }

    NodeRef NodeOf() override { return Target(); }

    HRESULT get_documentElement(IXMLDOMElement** element) override;
    HRESULT get_parseError(IXMLDOMParseError** error) override;
    HRESULT get_async(VARIANT_BOOL* isAsync) override;
    HRESULT put_async(VARIANT_BOOL isAsync) override;
    HRESULT get_validateOnParse(VARIANT_BOOL* validate) override;
    HRESULT put_validateOnParse(VARIANT_BOOL validate) override;
    HRESULT get_resolveExternals(VARIANT_BOOL* resolve) override;
    HRESULT put_resolveExternals(VARIANT_BOOL resolve) override;
    HRESULT get_preserveWhiteSpace(VARIANT_BOOL* preserve) override;
    HRESULT put_preserveWhiteSpace(VARIANT_BOOL preserve) override;
    HRESULT loadXML(BSTR xml, VARIANT_BOOL* isSuccessful) override;
    HRESULT setProperty(BSTR name, VARIANT value) override;
    HRESULT getProperty(BSTR name, VARIANT* value) override;

protected:
    NodeRef Target() override;

private:
    HRESULT GetFlag(const bool& flag, VARIANT_BOOL* out);
    HRESULT PutFlag(bool& flag, VARIANT_BOOL value);

    std::shared_ptr<DocumentState> m_state { std::make_shared<DocumentState>() };
    // The current tree; replaced (never changed in place) by a successful load.
    std::shared_ptr<XmlTree> m_tree;
    ParseErrorInfo m_parseError;
    bool m_async { true };
    bool m_validateOnParse { true };
    bool m_resolveExternals { true };
};

class CDOMDocument30 : public CDomDocument, public CComCoClass<CDOMDocument30, &CLSID_DOMDocument30> {
public:
    DECLARE_REGISTRY_RESOURCEID(101)
};

class CFreeThreadedDOMDocument30 : public CDomDocument,
                                   public CComCoClass<CFreeThreadedDOMDocument30, &CLSID_FreeThreadedDOMDocument30> {
public:
    DECLARE_REGISTRY_RESOURCEID(102)
};

} // namespace platform::xml
