#pragma once
// The DOM's view of libxml2 nodes: names, kinds, text, serialisation and XPath selection. Callers
// hold the tree's lock.

#include <string>
#include <string_view>
#include <vector>

#include "platform/xml/MsXml.h"
#include "platform/xml/XmlTree.h"

namespace platform::xml {

DOMNodeType NodeTypeOf(xmlNodePtr node);
// "a:b" for elements and attributes, "#text", "#document"... for the others.
std::string NodeNameOf(xmlNodePtr node);
// The text of a node and its descendants, trimmed unless the document preserves white space.
std::string NodeTextOf(const XmlTree& tree, xmlNodePtr node);
// Makes text the node's only content; removed children stay alive until the tree goes.
void ReplaceNodeText(XmlTree& tree, xmlNodePtr node, std::string_view text);
// The node as XML text in UTF-8, non-ASCII text as characters. A document gives its declaration
// (without an encoding) and each top-level node, each followed by a line break.
std::string NodeXmlOf(const XmlTree& tree, xmlNodePtr node);
// The children the DOM shows: an element's or document's child nodes, an attribute's text.
std::vector<xmlNodePtr> ChildrenOf(xmlNodePtr node);
// An element's attributes in document order.
std::vector<xmlNodePtr> AttributesOf(xmlNodePtr element);
// Drops the text nodes that hold only white space, except under xml:space="preserve".
void DropWhiteSpaceText(xmlNodePtr node);

// A new document holding a copy of a document or of an element (as its root); null for other nodes.
xmlDocPtr CopyAsDocument(xmlNodePtr node);

// Runs an XPath 1.0 expression from node; the nodes it selects in document order, or a failure
// with the reason in error.
HRESULT SelectNodes(
    const XmlTree& tree, xmlNodePtr node, std::string_view query, std::vector<xmlNodePtr>& found, std::string& error);

// Parses SelectionNamespaces text ("xmlns:a='uri' xmlns:b=\"uri\""); false when malformed.
bool ParseNamespaceDeclarations(std::string_view text, std::vector<std::pair<std::string, std::string>>& out);

} // namespace platform::xml
