#pragma once
// The node members that every node object of this library shares, the document included. A class
// derives from DomNodeImpl<its interface> and says which node it stands for through Target().

#include "platform/com/AtlBase.h"
#include "platform/xml/DispatchTables.h"
#include "platform/xml/DomObjects.h"
#include "platform/xml/NodeOps.h"
#include "platform/xml/XmlLibrary.h"

namespace platform::xml {

template<class Base> class DomNodeImpl : public IDispatchImpl<Base> {
public:
    HRESULT get_nodeName(BSTR* name) override
    {
        return WithNode([&](const NodeRef& ref) { return CopyOutText(name, NodeNameOf(ref.node)); });
    }
    HRESULT get_nodeValue(VARIANT* value) override
    {
        if (!value)
            return E_POINTER;
        VariantInit(value);
        return WithNode([&](const NodeRef& ref) {
            switch (NodeTypeOf(ref.node)) {
            case NODE_ATTRIBUTE:
            case NODE_TEXT:
            case NODE_CDATA_SECTION:
            case NODE_COMMENT:
            case NODE_PROCESSING_INSTRUCTION: {
                xmlChar* content = xmlNodeGetContent(ref.node);
                value->vt = VT_BSTR;
                value->bstrVal = BstrOfUtf8(content ? reinterpret_cast<const char*>(content) : "");
                xmlFree(content);
                return S_OK;
            }
            default:
                value->vt = VT_NULL;
                return S_FALSE;
            }
        });
    }
    HRESULT get_nodeType(DOMNodeType* type) override
    {
        if (!type)
            return E_POINTER;
        return WithNode([&](const NodeRef& ref) {
            *type = NodeTypeOf(ref.node);
            return S_OK;
        });
    }
    HRESULT get_parentNode(IXMLDOMNode** parent) override
    {
        if (!parent)
            return E_POINTER;
        *parent = nullptr;
        return WithNode([&](const NodeRef& ref) -> HRESULT {
            const DOMNodeType type = NodeTypeOf(ref.node);
            if (type == NODE_DOCUMENT || type == NODE_ATTRIBUTE || !ref.node->parent)
                return S_FALSE;
            return MakeNode({ ref.tree, ref.node->parent }, parent);
        });
    }
    HRESULT get_childNodes(IXMLDOMNodeList** children) override
    {
        if (!children)
            return E_POINTER;
        *children = nullptr;
        return WithNode([&](const NodeRef& ref) { return MakeNodeList(ref.tree, ChildrenOf(ref.node), children); });
    }
    HRESULT get_firstChild(IXMLDOMNode** child) override
    {
        if (!child)
            return E_POINTER;
        *child = nullptr;
        return WithNode([&](const NodeRef& ref) -> HRESULT {
            const std::vector<xmlNodePtr> children = ChildrenOf(ref.node);
            return children.empty() ? S_FALSE : MakeNode({ ref.tree, children.front() }, child);
        });
    }
    HRESULT get_attributes(IXMLDOMNamedNodeMap** attributes) override
    {
        if (!attributes)
            return E_POINTER;
        *attributes = nullptr;
        return WithNode([&](const NodeRef& ref) -> HRESULT {
            if (ref.node->type != XML_ELEMENT_NODE)
                return S_FALSE;
            return MakeAttributeMap(ref, attributes);
        });
    }
    HRESULT hasChildNodes(VARIANT_BOOL* has) override
    {
        if (!has)
            return E_POINTER;
        return WithNode([&](const NodeRef& ref) -> HRESULT {
            const bool any = !ChildrenOf(ref.node).empty();
            *has = any ? VARIANT_TRUE : VARIANT_FALSE;
            return any ? S_OK : S_FALSE;
        });
    }
    HRESULT get_text(BSTR* text) override
    {
        return WithNode([&](const NodeRef& ref) { return CopyOutText(text, NodeTextOf(*ref.tree, ref.node)); });
    }
    HRESULT put_text(BSTR text) override
    {
        const std::string value = Utf8OfBstr(text);
        return WithNode([&](const NodeRef& ref) -> HRESULT {
            const DOMNodeType type = NodeTypeOf(ref.node);
            if (type == NODE_DOCUMENT || type == NODE_DOCUMENT_TYPE || type == NODE_ENTITY_REFERENCE)
                return ReportXmlError(E_FAIL, "This kind of node has no text of its own to set.");
            ReplaceNodeText(*ref.tree, ref.node, value);
            return S_OK;
        });
    }
    HRESULT get_xml(BSTR* xml) override
    {
        return WithNode([&](const NodeRef& ref) { return CopyOutText(xml, NodeXmlOf(*ref.tree, ref.node)); });
    }
    HRESULT selectNodes(BSTR query, IXMLDOMNodeList** result) override
    {
        if (!result)
            return E_POINTER;
        *result = nullptr;
        const std::string expression = Utf8OfBstr(query);
        return WithNode([&](const NodeRef& ref) -> HRESULT {
            std::vector<xmlNodePtr> found;
            std::string error;
            const HRESULT hr = SelectNodes(*ref.tree, ref.node, expression, found, error);
            if (FAILED(hr))
                return ReportXmlError(hr, error);
            return MakeNodeList(ref.tree, std::move(found), result);
        });
    }
    HRESULT selectSingleNode(BSTR query, IXMLDOMNode** result) override
    {
        if (!result)
            return E_POINTER;
        *result = nullptr;
        const std::string expression = Utf8OfBstr(query);
        return WithNode([&](const NodeRef& ref) -> HRESULT {
            std::vector<xmlNodePtr> found;
            std::string error;
            const HRESULT hr = SelectNodes(*ref.tree, ref.node, expression, found, error);
            if (FAILED(hr))
                return ReportXmlError(hr, error);
            return found.empty() ? S_FALSE : MakeNode({ ref.tree, found.front() }, result);
        });
    }

protected:
    // The node this object stands for.
    virtual NodeRef Target() = 0;

    // Runs an operation on the target node under its document's lock.
    template<class Operation> HRESULT WithNode(Operation&& operation)
    {
        const NodeRef ref = Target();
        if (!ref.tree || !ref.node)
            return E_UNEXPECTED;
        std::lock_guard lock(ref.tree->Lock());
        return operation(ref);
    }
};

} // namespace platform::xml
