#pragma once
// The XSL template: a stylesheet compiled once, from which processors are made. The compiled form
// is shared by the template and every processor made from it, and never changes once made.

#include <memory>
#include <mutex>

#include <libxslt/xsltInternals.h>

#include "platform/com/AtlBase.h"
#include "platform/xml/DispatchTables.h"

namespace platform::xml {

using CompiledStylesheet = std::shared_ptr<xsltStylesheet>;

class CXslTemplate : public CComObjectRootEx<CComMultiThreadModel>,
                     public CComCoClass<CXslTemplate, &CLSID_XSLTemplate30>,
                     public IDispatchImpl<IXSLTemplate> {
public:
    DECLARE_REGISTRY_RESOURCEID(103)

    BEGIN_COM_MAP(CXslTemplate)
    COM_INTERFACE_ENTRY(IXSLTemplate)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    HRESULT FinalConstruct();
    void FinalRelease() { }

    HRESULT putref_stylesheet(IXMLDOMNode* stylesheet) override;
    HRESULT get_stylesheet(IXMLDOMNode** stylesheet) override;
    HRESULT createProcessor(IXSLProcessor** processor) override;

private:
    std::mutex m_lock;
    CComPtr<IXMLDOMNode> m_stylesheet;
    CompiledStylesheet m_compiled;
};

} // namespace platform::xml
