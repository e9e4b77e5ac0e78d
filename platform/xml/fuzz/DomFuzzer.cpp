// Loads arbitrary text into a DOM document and reads every node back: no text may crash the parser,
// make it load anything from outside (no DTD, no entity, no network), or hang.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/xml/fuzz/support/FuzzDocument.h"

namespace {

// Reads a node the ways the program does, and its children and attributes below it.
void Walk(IXMLDOMNode* node, int depth)
{
    if (!node || depth > 64)
        return;
    BSTR text = nullptr;
    if (SUCCEEDED(node->get_nodeName(&text)))
        SysFreeString(text);
    if (SUCCEEDED(node->get_text(&text)))
        SysFreeString(text);
    VARIANT value;
    VariantInit(&value);
    if (SUCCEEDED(node->get_nodeValue(&value)))
        VariantClear(&value);
    IXMLDOMNamedNodeMapPtr attributes;
    if (SUCCEEDED(node->get_attributes(&attributes)) && attributes) {
        LONG count = 0;
        attributes->get_length(&count);
        for (LONG i = 0; i < count; ++i) {
            IXMLDOMNodePtr attribute;
            if (SUCCEEDED(attributes->get_item(i, &attribute)))
                Walk(attribute, depth + 1);
        }
    }
    IXMLDOMNodeListPtr children;
    if (SUCCEEDED(node->get_childNodes(&children)) && children) {
        LONG count = 0;
        children->get_length(&count);
        for (LONG i = 0; i < count && i < 1000; ++i) {
            IXMLDOMNodePtr child;
            if (SUCCEEDED(children->get_item(i, &child)))
                Walk(child, depth + 1);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    platform::xml_fuzz::InitializeXml();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    bool loaded = false;
    const IXMLDOMDocument2Ptr document = platform::xml_fuzz::LoadDocument(text, size % 2 != 0, loaded);
    if (!document)
        return 0;
    BSTR xml = nullptr;
    if (SUCCEEDED(document->get_xml(&xml)))
        SysFreeString(xml);
    IXMLDOMParseErrorPtr error;
    if (SUCCEEDED(document->get_parseError(&error)) && error) {
        BSTR reason = nullptr;
        if (SUCCEEDED(error->get_reason(&reason)))
            SysFreeString(reason);
        if (SUCCEEDED(error->get_srcText(&reason)))
            SysFreeString(reason);
    }
    if (loaded) {
        Walk(document, 0);
        IXMLDOMNodeListPtr nodes;
        document->selectNodes(_bstr_t("//*[@href]"), &nodes);
    }
    return 0;
}
