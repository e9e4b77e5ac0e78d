#include "platform/xml/DomDocument.h"

#include "platform/xml/XmlParser.h"

namespace platform::xml {
namespace {

constexpr std::u16string_view kSelectionLanguage = u"SelectionLanguage";
constexpr std::u16string_view kSelectionNamespaces = u"SelectionNamespaces";

} // namespace

HRESULT CDomDocument::FinalConstruct()
{
    EnsureXmlLibrary();
    xmlDocPtr empty = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    if (!empty)
        return E_OUTOFMEMORY;
    m_tree = std::make_shared<XmlTree>(m_state, empty, std::string());
    return S_OK;
}

NodeRef CDomDocument::Target()
{
    std::lock_guard lock(m_state->lock);
    return { m_tree, reinterpret_cast<xmlNodePtr>(m_tree->Doc()) };
}

HRESULT CDomDocument::get_documentElement(IXMLDOMElement** element)
{
    if (!element)
        return E_POINTER;
    *element = nullptr;
    std::lock_guard lock(m_state->lock);
    xmlNodePtr root = xmlDocGetRootElement(m_tree->Doc());
    return root ? MakeElement({ m_tree, root }, element) : S_FALSE;
}

HRESULT CDomDocument::get_parseError(IXMLDOMParseError** error)
{
    if (!error)
        return E_POINTER;
    *error = nullptr;
    CComObject<CDomParseError>* object = nullptr;
    const HRESULT hr = CComObject<CDomParseError>::CreateInstance(&object);
    if (FAILED(hr))
        return hr;
    {
        std::lock_guard lock(m_state->lock);
        object->Init(m_parseError);
    }
    return object->QueryInterface(platform::IidOf<IXMLDOMParseError>(), reinterpret_cast<void**>(error));
}

HRESULT CDomDocument::GetFlag(const bool& flag, VARIANT_BOOL* out)
{
    if (!out)
        return E_POINTER;
    std::lock_guard lock(m_state->lock);
    *out = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT CDomDocument::PutFlag(bool& flag, VARIANT_BOOL value)
{
    std::lock_guard lock(m_state->lock);
    flag = value != VARIANT_FALSE;
    return S_OK;
}

HRESULT CDomDocument::get_async(VARIANT_BOOL* isAsync) { return GetFlag(m_async, isAsync); }
HRESULT CDomDocument::put_async(VARIANT_BOOL isAsync) { return PutFlag(m_async, isAsync); }
HRESULT CDomDocument::get_validateOnParse(VARIANT_BOOL* validate) { return GetFlag(m_validateOnParse, validate); }
HRESULT CDomDocument::put_validateOnParse(VARIANT_BOOL validate) { return PutFlag(m_validateOnParse, validate); }
HRESULT CDomDocument::get_resolveExternals(VARIANT_BOOL* resolve) { return GetFlag(m_resolveExternals, resolve); }
HRESULT CDomDocument::put_resolveExternals(VARIANT_BOOL resolve) { return PutFlag(m_resolveExternals, resolve); }
HRESULT CDomDocument::get_preserveWhiteSpace(VARIANT_BOOL* preserve)
{
    return GetFlag(m_state->preserveWhiteSpace, preserve);
}
HRESULT CDomDocument::put_preserveWhiteSpace(VARIANT_BOOL preserve)
{
    return PutFlag(m_state->preserveWhiteSpace, preserve);
}

HRESULT CDomDocument::loadXML(BSTR xml, VARIANT_BOOL* isSuccessful)
{
    if (isSuccessful)
        *isSuccessful = VARIANT_FALSE;
    std::u16string_view text = xml ? std::u16string_view(xml) : std::u16string_view();
    if (!text.empty() && text.front() == u'\xFEFF')
        text.remove_prefix(1);
    bool preserve = false;
    {
        std::lock_guard lock(m_state->lock);
        preserve = m_state->preserveWhiteSpace;
    }
    ParsedDocument parsed = ParseXmlText(platform::Utf16ToUtf8(text), preserve);
    std::lock_guard lock(m_state->lock);
    if (!parsed.doc) {
        // The document keeps the tree it had: a caller that ignores the result still reads
        // whole, well-formed data rather than an empty document.
        m_parseError = std::move(parsed.error);
        return S_FALSE;
    }
    m_tree = std::make_shared<XmlTree>(m_state, parsed.doc.release(), std::move(parsed.declaration));
    m_parseError = {};
    if (isSuccessful)
        *isSuccessful = VARIANT_TRUE;
    return S_OK;
}

HRESULT CDomDocument::setProperty(BSTR name, VARIANT value)
{
    const std::u16string_view property = name ? std::u16string_view(name) : std::u16string_view();
    CComVariant text;
    if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)))
        return ReportXmlError(E_INVALIDARG, "The property value must be text.");
    const std::u16string_view given = text.bstrVal ? std::u16string_view(text.bstrVal) : std::u16string_view();
    std::lock_guard lock(m_state->lock);
    if (property == kSelectionLanguage) {
        // Both languages run as XPath 1.0: every pattern the callers use means the same in both.
        if (given != u"XPath" && given != u"XSLPattern")
            return ReportXmlError(E_INVALIDARG, "SelectionLanguage is either XPath or XSLPattern.");
        m_state->selectionLanguage = given;
        return S_OK;
    }
    if (property == kSelectionNamespaces) {
        std::vector<std::pair<std::string, std::string>> declarations;
        if (!ParseNamespaceDeclarations(platform::Utf16ToUtf8(given), declarations))
            return ReportXmlError(E_INVALIDARG, "SelectionNamespaces holds malformed namespace declarations.");
        m_state->selectionNamespacesText = given;
        m_state->selectionNamespaces = std::move(declarations);
        return S_OK;
    }
    return ReportXmlError(E_INVALIDARG, "The property '" + platform::Utf16ToUtf8(property) + "' is not known.");
}

HRESULT CDomDocument::getProperty(BSTR name, VARIANT* value)
{
    if (!value)
        return E_POINTER;
    VariantInit(value);
    const std::u16string_view property = name ? std::u16string_view(name) : std::u16string_view();
    std::lock_guard lock(m_state->lock);
    const std::u16string* text = nullptr;
    if (property == kSelectionLanguage)
        text = &m_state->selectionLanguage;
    else if (property == kSelectionNamespaces)
        text = &m_state->selectionNamespacesText;
    else
        return ReportXmlError(E_INVALIDARG, "The property '" + platform::Utf16ToUtf8(property) + "' is not known.");
    value->vt = VT_BSTR;
    value->bstrVal = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
    return S_OK;
}

} // namespace platform::xml
