#include "platform/xml/XslProcessor.h"

#include <memory>

#include <libxml/xmlIO.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/variables.h>
#include <libxslt/xsltutils.h>

#include "platform/base/CodePage.h"
#include "platform/xml/DomObjects.h"
#include "platform/xml/NodeOps.h"
#include "platform/xml/XmlLibrary.h"

namespace platform::xml {
namespace {

// The result as UTF-8 text. The output buffer has no encoder and the result document says UTF-8,
// so non-ASCII text is written as characters, whatever encoding the stylesheet names.
std::string SerialiseResult(xmlDocPtr result, xsltStylesheetPtr stylesheet)
{
    if (result->encoding)
        xmlFree(const_cast<xmlChar*>(result->encoding));
    result->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>("UTF-8"));
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), &xmlBufferFree);
    if (!buffer)
        return {};
    xmlOutputBufferPtr output = xmlOutputBufferCreateBuffer(buffer.get(), nullptr);
    if (!output)
        return {};
    xsltSaveResultTo(output, result, stylesheet);
    xmlOutputBufferClose(output);
    return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())), xmlBufferLength(buffer.get()));
}

// The text is handed out as UTF-16, so its XML declaration names that encoding (and no other).
void DeclareUtf16(std::string& text)
{
    if (text.compare(0, 6, "<?xml ") != 0)
        return;
    const size_t end = text.find("?>");
    if (end == std::string::npos)
        return;
    std::string declaration = text.substr(0, end);
    if (const size_t encoding = declaration.find(" encoding="); encoding != std::string::npos) {
        const size_t close = encoding + 11 <= declaration.size()
            ? declaration.find(declaration[encoding + 10], encoding + 11)
            : std::string::npos;
        declaration.erase(encoding, close == std::string::npos ? std::string::npos : close + 1 - encoding);
    }
    size_t insertAt = declaration.size();
    if (const size_t version = declaration.find("version=");
        version != std::string::npos && version + 9 <= declaration.size())
        if (const size_t close = declaration.find(declaration[version + 8], version + 9); close != std::string::npos)
            insertAt = close + 1;
    declaration.insert(insertAt, " encoding=\"UTF-16\"");
    text.replace(0, end, declaration);
}

} // namespace

HRESULT CXslProcessor::put_input(VARIANT input)
{
    const VARIANT* value = &input;
    while (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    NodeRef ref;
    if ((value->vt != VT_DISPATCH && value->vt != VT_UNKNOWN) || !NodeOfObject(value->punkVal, ref))
        return ReportXmlError(E_INVALIDARG, "The input must be a document or node of this library.");
    std::lock_guard lock(m_lock);
    m_input = *value;
    m_inputNode = std::move(ref);
    return S_OK;
}

HRESULT CXslProcessor::get_input(VARIANT* input)
{
    if (!input)
        return E_POINTER;
    VariantInit(input);
    std::lock_guard lock(m_lock);
    return VariantCopy(input, &m_input);
}

HRESULT CXslProcessor::addParameter(BSTR baseName, VARIANT parameter, BSTR namespaceURI)
{
    const std::string name = Utf8OfBstr(baseName);
    const std::string space = Utf8OfBstr(namespaceURI);
    if (name.empty() || xmlValidateNCName(reinterpret_cast<const xmlChar*>(name.c_str()), 0) != 0)
        return ReportXmlError(E_INVALIDARG, "A stylesheet parameter needs a name.");
    CComVariant text;
    if (FAILED(VariantChangeType(&text, &parameter, 0, VT_BSTR)))
        return ReportXmlError(E_INVALIDARG, "A stylesheet parameter is a text, a number or a Boolean.");
    const std::string key = space.empty() ? name : "{" + space + "}" + name;
    std::lock_guard lock(m_lock);
    for (auto& [existing, value] : m_parameters)
        if (existing == key) {
            value = Utf8OfBstr(text.bstrVal);
            return S_OK;
        }
    m_parameters.emplace_back(key, Utf8OfBstr(text.bstrVal));
    return S_OK;
}

HRESULT CXslProcessor::transform(VARIANT_BOOL* done)
{
    if (done)
        *done = VARIANT_FALSE;
    std::lock_guard lock(m_lock);
    if (!m_inputNode.tree)
        return ReportXmlError(E_FAIL, "The processor has no input.");

    std::lock_guard inputLock(m_inputNode.tree->Lock());
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> copy(nullptr, &xmlFreeDoc);
    xmlDocPtr source = m_inputNode.tree->Doc();
    if (reinterpret_cast<xmlNodePtr>(source) != m_inputNode.node) {
        copy.reset(CopyAsDocument(m_inputNode.node));
        if (!copy)
            return ReportXmlError(E_INVALIDARG, "The input must be a document or an element.");
        source = copy.get();
    }

    XmlErrorCapture capture;
    std::unique_ptr<xsltTransformContext, decltype(&xsltFreeTransformContext)> context(
        xsltNewTransformContext(m_stylesheet.get(), source), &xsltFreeTransformContext);
    if (!context)
        return E_OUTOFMEMORY;
    xsltSetCtxtSecurityPrefs(ForbiddingSecurityPrefs(), context.get());
    xsltSetTransformErrorFunc(context.get(), &capture, &XmlErrorCapture::OnGenericError);
    for (const auto& [name, value] : m_parameters)
        if (xsltQuoteOneUserParam(context.get(), reinterpret_cast<const xmlChar*>(name.c_str()),
                reinterpret_cast<const xmlChar*>(value.c_str()))
            != 0)
            return ReportXmlError(E_INVALIDARG, capture.Message("The parameter '" + name + "' cannot be set."));

    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> result(
        xsltApplyStylesheetUser(m_stylesheet.get(), source, nullptr, nullptr, nullptr, context.get()), &xmlFreeDoc);
    if (!result || context->state == XSLT_STATE_ERROR || context->state == XSLT_STATE_STOPPED)
        return ReportXmlError(E_FAIL, capture.Message("The transform failed."));

    std::string text = SerialiseResult(result.get(), m_stylesheet.get());
    DeclareUtf16(text);
    m_output = platform::Utf8ToUtf16(text);
    if (done)
        *done = VARIANT_TRUE;
    return S_OK;
}

HRESULT CXslProcessor::get_output(VARIANT* output)
{
    if (!output)
        return E_POINTER;
    VariantInit(output);
    std::lock_guard lock(m_lock);
    output->vt = VT_BSTR;
    output->bstrVal = SysAllocStringLen(m_output.data(), static_cast<UINT>(m_output.size()));
    return output->bstrVal ? S_OK : E_OUTOFMEMORY;
}

} // namespace platform::xml
