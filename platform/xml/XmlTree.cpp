#include "platform/xml/XmlTree.h"

namespace platform::xml {

XmlTree::XmlTree(std::shared_ptr<DocumentState> state, xmlDocPtr doc, std::string declaration)
    : m_state(std::move(state))
    , m_doc(doc)
    , m_declaration(std::move(declaration))
{
}

XmlTree::~XmlTree()
{
    for (xmlNodePtr node : m_retired)
        xmlFreeNode(node);
    xmlFreeDoc(m_doc);
}

void XmlTree::Retire(xmlNodePtr node)
{
    xmlUnlinkNode(node);
    m_retired.push_back(node);
}

} // namespace platform::xml
