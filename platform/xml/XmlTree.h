#pragma once
// A parsed document as the objects of this library share it. The document object holds its
// current tree; each node, node list and attribute map handed out holds the tree it came from, so
// a node stays valid after its document has loaded other text. Everything that touches a tree
// takes the document's lock, which makes the free-threaded document safe to share.

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <libxml/tree.h>

namespace platform::xml {

// What a document's nodes need of its settings.
struct DocumentState {
    std::recursive_mutex lock;
    bool preserveWhiteSpace { false };
    std::u16string selectionLanguage { u"XSLPattern" };
    std::u16string selectionNamespacesText;
    // prefix -> namespace URI, from selectionNamespacesText.
    std::vector<std::pair<std::string, std::string>> selectionNamespaces;
};

class XmlTree {
public:
    // Takes ownership of doc. declaration is the XML declaration to print before the document's
    // nodes (empty when the text had none).
    XmlTree(std::shared_ptr<DocumentState> state, xmlDocPtr doc, std::string declaration);
    ~XmlTree();
    XmlTree(const XmlTree&) = delete;
    XmlTree& operator=(const XmlTree&) = delete;

    DocumentState& State() const { return *m_state; }
    std::recursive_mutex& Lock() const { return m_state->lock; }
    xmlDocPtr Doc() const { return m_doc; }
    const std::string& Declaration() const { return m_declaration; }
    // Takes a node out of the tree without freeing it: node objects may still point at it. It is
    // freed with the tree.
    void Retire(xmlNodePtr node);

private:
    std::shared_ptr<DocumentState> m_state;
    xmlDocPtr m_doc { nullptr };
    std::string m_declaration;
    std::vector<xmlNodePtr> m_retired;
};

// One node of a tree, as the node objects hold it.
struct NodeRef {
    std::shared_ptr<XmlTree> tree;
    xmlNodePtr node { nullptr };
};

} // namespace platform::xml
