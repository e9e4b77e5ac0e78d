#include "platform/xml/DomNodeList.h"

#include "platform/xml/DomObjects.h"

namespace platform::xml {

void CDomNodeList::Init(std::shared_ptr<XmlTree> tree, std::vector<xmlNodePtr> nodes)
{
    m_tree = std::move(tree);
    m_nodes = std::move(nodes);
}

HRESULT CDomNodeList::get_item(LONG index, IXMLDOMNode** node)
{
    if (!node)
        return E_POINTER;
    *node = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= m_nodes.size())
        return S_FALSE;
    std::lock_guard lock(m_tree->Lock());
    return MakeNode({ m_tree, m_nodes[static_cast<size_t>(index)] }, node);
}

HRESULT CDomNodeList::get_length(LONG* length)
{
    if (!length)
        return E_POINTER;
    *length = static_cast<LONG>(m_nodes.size());
    return S_OK;
}

HRESULT CDomNodeList::nextNode(IXMLDOMNode** node)
{
    if (!node)
        return E_POINTER;
    *node = nullptr;
    const LONG index = m_cursor.load();
    const HRESULT hr = get_item(index, node);
    if (hr == S_OK)
        m_cursor = index + 1;
    return hr;
}

HRESULT CDomNodeList::reset()
{
    m_cursor = 0;
    return S_OK;
}

} // namespace platform::xml
