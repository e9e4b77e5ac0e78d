#pragma once
// How the objects of this library make one another and recognise their own nodes.

#include <string_view>
#include <vector>

#include "platform/xml/MsXml.h"
#include "platform/xml/XmlTree.h"

// Reaches the tree behind a node object of this library (documents included); a node of another
// library does not answer it.
struct IXmlNodeAccess : IUnknown {
    virtual platform::xml::NodeRef NodeOf() = 0;
};
TS_DEFINE_IID(IXmlNodeAccess, "8853A43C-E3BF-48BB-9BFB-4AAFFC72660D");

namespace platform::xml {

// A node object for a node of a tree: an element object for elements.
HRESULT MakeNode(const NodeRef& ref, IXMLDOMNode** out);
HRESULT MakeElement(const NodeRef& ref, IXMLDOMElement** out);
HRESULT MakeNodeList(std::shared_ptr<XmlTree> tree, std::vector<xmlNodePtr> nodes, IXMLDOMNodeList** out);
HRESULT MakeAttributeMap(const NodeRef& element, IXMLDOMNamedNodeMap** out);
// The tree and node behind an object of this library; false for anything else.
bool NodeOfObject(IUnknown* object, NodeRef& ref);
// Makes message the thread's error information and returns hr.
HRESULT ReportXmlError(HRESULT hr, std::string_view message);

} // namespace platform::xml
