#include "platform/xml/DomNode.h"

namespace platform::xml {

HRESULT CDomElement::get_tagName(BSTR* name) { return get_nodeName(name); }

HRESULT CDomElement::getAttribute(BSTR name, VARIANT* value)
{
    if (!value)
        return E_POINTER;
    VariantInit(value);
    value->vt = VT_NULL;
    const std::string wanted = Utf8OfBstr(name);
    return WithNode([&](const NodeRef& ref) -> HRESULT {
        for (xmlNodePtr attribute : AttributesOf(ref.node)) {
            if (NodeNameOf(attribute) != wanted)
                continue;
            xmlChar* content = xmlNodeGetContent(attribute);
            value->vt = VT_BSTR;
            value->bstrVal = BstrOfUtf8(content ? reinterpret_cast<const char*>(content) : "");
            xmlFree(content);
            return S_OK;
        }
        return S_FALSE;
    });
}

} // namespace platform::xml
