#include "platform/xml/DomObjects.h"

#include "platform/base/CodePage.h"
#include "platform/xml/DomNamedNodeMap.h"
#include "platform/xml/DomNode.h"
#include "platform/xml/DomNodeList.h"

namespace platform::xml {
namespace {

// Creates an object of class T, lets init set it up and hands out its interface I.
template<class T, class I, class Init> HRESULT Make(I** out, Init&& init)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    CComObject<T>* object = nullptr;
    const HRESULT hr = CComObject<T>::CreateInstance(&object);
    if (FAILED(hr))
        return hr;
    init(*object);
    return object->QueryInterface(platform::IidOf<I>(), reinterpret_cast<void**>(out));
}

} // namespace

HRESULT MakeNode(const NodeRef& ref, IXMLDOMNode** out)
{
    if (ref.node && ref.node->type == XML_ELEMENT_NODE)
        return Make<CDomElement>(out, [&](CDomElement& element) { element.Init(ref); });
    return Make<CDomNode>(out, [&](CDomNode& node) { node.Init(ref); });
}

HRESULT MakeElement(const NodeRef& ref, IXMLDOMElement** out)
{
    return Make<CDomElement>(out, [&](CDomElement& element) { element.Init(ref); });
}

HRESULT MakeNodeList(std::shared_ptr<XmlTree> tree, std::vector<xmlNodePtr> nodes, IXMLDOMNodeList** out)
{
    return Make<CDomNodeList>(out, [&](CDomNodeList& list) { list.Init(std::move(tree), std::move(nodes)); });
}

HRESULT MakeAttributeMap(const NodeRef& element, IXMLDOMNamedNodeMap** out)
{
    return Make<CDomNamedNodeMap>(out, [&](CDomNamedNodeMap& map) { map.Init(element); });
}

bool NodeOfObject(IUnknown* object, NodeRef& ref)
{
    if (!object)
        return false;
    CComPtr<IXmlNodeAccess> access;
    if (FAILED(object->QueryInterface(platform::IidOf<IXmlNodeAccess>(), reinterpret_cast<void**>(&access))) || !access)
        return false;
    ref = access->NodeOf();
    return ref.tree && ref.node;
}

HRESULT ReportXmlError(HRESULT hr, std::string_view message)
{
    return platform::ReportError(CLSID_DOMDocument30, platform::Utf8ToUtf16(message).c_str(), IID_NULL, hr);
}

} // namespace platform::xml
