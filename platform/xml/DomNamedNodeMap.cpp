#include "platform/xml/DomNamedNodeMap.h"

#include "platform/xml/DomObjects.h"
#include "platform/xml/NodeOps.h"
#include "platform/xml/XmlLibrary.h"

namespace platform::xml {

HRESULT CDomNamedNodeMap::getNamedItem(BSTR name, IXMLDOMNode** attribute)
{
    if (!attribute)
        return E_POINTER;
    *attribute = nullptr;
    const std::string wanted = Utf8OfBstr(name);
    std::lock_guard lock(m_element.tree->Lock());
    for (xmlNodePtr candidate : AttributesOf(m_element.node))
        if (NodeNameOf(candidate) == wanted)
            return MakeNode({ m_element.tree, candidate }, attribute);
    return S_FALSE;
}

HRESULT CDomNamedNodeMap::get_item(LONG index, IXMLDOMNode** attribute)
{
    if (!attribute)
        return E_POINTER;
    *attribute = nullptr;
    std::lock_guard lock(m_element.tree->Lock());
    const std::vector<xmlNodePtr> attributes = AttributesOf(m_element.node);
    if (index < 0 || static_cast<size_t>(index) >= attributes.size())
        return S_FALSE;
    return MakeNode({ m_element.tree, attributes[static_cast<size_t>(index)] }, attribute);
}

HRESULT CDomNamedNodeMap::get_length(LONG* length)
{
    if (!length)
        return E_POINTER;
    std::lock_guard lock(m_element.tree->Lock());
    *length = static_cast<LONG>(AttributesOf(m_element.node).size());
    return S_OK;
}

} // namespace platform::xml
