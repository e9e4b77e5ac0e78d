#include "platform/xml/XslTemplate.h"

#include <libxslt/xslt.h>

#include "platform/xml/DomObjects.h"
#include "platform/xml/NodeOps.h"
#include "platform/xml/XmlLibrary.h"
#include "platform/xml/XslProcessor.h"

namespace platform::xml {

HRESULT CXslTemplate::FinalConstruct()
{
    EnsureXmlLibrary();
    return S_OK;
}

HRESULT CXslTemplate::putref_stylesheet(IXMLDOMNode* stylesheet)
{
    if (!stylesheet) {
        std::lock_guard lock(m_lock);
        m_stylesheet.Release();
        m_compiled.reset();
        return S_OK;
    }
    NodeRef ref;
    if (!NodeOfObject(stylesheet, ref))
        return ReportXmlError(E_INVALIDARG, "The stylesheet must be a document of this library.");
    xmlDocPtr copy = nullptr;
    {
        // libxslt takes the document it compiles for good, so it compiles a copy.
        std::lock_guard treeLock(ref.tree->Lock());
        copy = CopyAsDocument(ref.node);
    }
    if (!copy)
        return ReportXmlError(E_INVALIDARG, "The stylesheet must be a document or an element.");
    XmlErrorCapture capture;
    xsltStylesheetPtr compiled = xsltParseStylesheetDoc(copy);
    if (!compiled) {
        xmlFreeDoc(copy);
        return ReportXmlError(E_FAIL, capture.Message("The stylesheet does not compile."));
    }
    if (compiled->errors > 0) {
        xsltFreeStylesheet(compiled);
        return ReportXmlError(E_FAIL, capture.Message("The stylesheet does not compile."));
    }
    std::lock_guard lock(m_lock);
    m_compiled = CompiledStylesheet(compiled, &xsltFreeStylesheet);
    m_stylesheet = stylesheet;
    return S_OK;
}

HRESULT CXslTemplate::get_stylesheet(IXMLDOMNode** stylesheet)
{
    if (!stylesheet)
        return E_POINTER;
    std::lock_guard lock(m_lock);
    *stylesheet = m_stylesheet;
    if (!*stylesheet)
        return S_FALSE;
    (*stylesheet)->AddRef();
    return S_OK;
}

HRESULT CXslTemplate::createProcessor(IXSLProcessor** processor)
{
    if (!processor)
        return E_POINTER;
    *processor = nullptr;
    CompiledStylesheet compiled;
    {
        std::lock_guard lock(m_lock);
        compiled = m_compiled;
    }
    if (!compiled)
        return ReportXmlError(E_FAIL, "The template has no stylesheet.");
    CComObject<CXslProcessor>* object = nullptr;
    const HRESULT hr = CComObject<CXslProcessor>::CreateInstance(&object);
    if (FAILED(hr))
        return hr;
    object->Init(std::move(compiled));
    return object->QueryInterface(platform::IidOf<IXSLProcessor>(), reinterpret_cast<void**>(processor));
}

} // namespace platform::xml
