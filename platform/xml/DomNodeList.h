#pragma once
// A fixed list of nodes of one tree (children or a selection), with the cursor of nextNode.

#include <vector>

#include "platform/com/AtlBase.h"
#include "platform/xml/DispatchTables.h"
#include "platform/xml/XmlTree.h"

namespace platform::xml {

class CDomNodeList : public CComObjectRootEx<CComMultiThreadModel>, public IDispatchImpl<IXMLDOMNodeList> {
public:
    BEGIN_COM_MAP(CDomNodeList)
    COM_INTERFACE_ENTRY(IXMLDOMNodeList)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    void Init(std::shared_ptr<XmlTree> tree, std::vector<xmlNodePtr> nodes);

    HRESULT get_item(LONG index, IXMLDOMNode** node) override;
    HRESULT get_length(LONG* length) override;
    HRESULT nextNode(IXMLDOMNode** node) override;
    HRESULT reset() override;

private:
    std::shared_ptr<XmlTree> m_tree;
    std::vector<xmlNodePtr> m_nodes;
    std::atomic<LONG> m_cursor { 0 };
};

} // namespace platform::xml
