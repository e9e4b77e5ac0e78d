#include "platform/xml/NodeOps.h"

#include <memory>

#include <libxml/xmlsave.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include "platform/xml/XmlLibrary.h"

namespace platform::xml {
namespace {

const xmlChar* Chars(std::string_view text) { return reinterpret_cast<const xmlChar*>(text.data()); }
std::string Text(const xmlChar* text) { return text ? reinterpret_cast<const char*>(text) : ""; }

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trimmed(std::string text)
{
    size_t end = text.size();
    while (end > 0 && IsXmlSpace(text[end - 1]))
        --end;
    size_t begin = 0;
    while (begin < end && IsXmlSpace(text[begin]))
        ++begin;
    return text.substr(begin, end - begin);
}

bool IsDocument(xmlNodePtr node) { return node->type == XML_DOCUMENT_NODE || node->type == XML_HTML_DOCUMENT_NODE; }

// The thread's XPath context for a query on the document, set up as a new one would be. Making a
// context registers every XPath function anew, which costs more than most queries: a lookup per
// element of a long list spent most of its time there. Nothing else holds on to the context.
xmlXPathContext* QueryContext(xmlDocPtr doc)
{
    struct Free {
        void operator()(xmlXPathContext* context) const { xmlXPathFreeContext(context); }
    };
    thread_local std::unique_ptr<xmlXPathContext, Free> t_context;
    if (!t_context)
        t_context.reset(xmlXPathNewContext(nullptr));
    xmlXPathContext* const context = t_context.get();
    if (!context)
        return nullptr;
    // The prefixes of the previous query go; everything an evaluation moves starts where a new
    // context starts.
    xmlXPathRegisteredNsCleanup(context);
    context->doc = doc;
    context->node = nullptr;
    context->contextSize = -1;
    context->proximityPosition = -1;
    xmlResetError(&context->lastError);
    return context;
}

// One node through libxml2's serialiser with UTF-8 output, so that non-ASCII text stays as
// characters (the document's encoding is UTF-8 too, which keeps attribute values that way).
std::string SerialiseOne(xmlNodePtr node)
{
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), &xmlBufferFree);
    if (!buffer)
        return {};
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer.get(), "UTF-8", XML_SAVE_NO_DECL);
    if (!save)
        return {};
    xmlSaveTree(save, node);
    xmlSaveClose(save);
    std::string text(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())), xmlBufferLength(buffer.get()));
    if (node->type == XML_ATTRIBUTE_NODE && !text.empty() && text.front() == ' ')
        text.erase(0, 1);
    return text;
}

} // namespace

DOMNodeType NodeTypeOf(xmlNodePtr node)
{
    switch (node->type) {
    case XML_ELEMENT_NODE:
        return NODE_ELEMENT;
    case XML_ATTRIBUTE_NODE:
        return NODE_ATTRIBUTE;
    case XML_TEXT_NODE:
        return NODE_TEXT;
    case XML_CDATA_SECTION_NODE:
        return NODE_CDATA_SECTION;
    case XML_ENTITY_REF_NODE:
        return NODE_ENTITY_REFERENCE;
    case XML_ENTITY_DECL:
        return NODE_ENTITY;
    case XML_PI_NODE:
        return NODE_PROCESSING_INSTRUCTION;
    case XML_COMMENT_NODE:
        return NODE_COMMENT;
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
        return NODE_DOCUMENT;
    case XML_DTD_NODE:
    case XML_DOCUMENT_TYPE_NODE:
        return NODE_DOCUMENT_TYPE;
    case XML_DOCUMENT_FRAG_NODE:
        return NODE_DOCUMENT_FRAGMENT;
    case XML_NOTATION_NODE:
        return NODE_NOTATION;
    default:
        return NODE_INVALID;
    }
}

std::string NodeNameOf(xmlNodePtr node)
{
    switch (NodeTypeOf(node)) {
    case NODE_ELEMENT:
    case NODE_ATTRIBUTE:
        if (node->ns && node->ns->prefix)
            return Text(node->ns->prefix) + ":" + Text(node->name);
        return Text(node->name);
    case NODE_TEXT:
        return "#text";
    case NODE_CDATA_SECTION:
        return "#cdata-section";
    case NODE_COMMENT:
        return "#comment";
    case NODE_DOCUMENT:
        return "#document";
    case NODE_DOCUMENT_FRAGMENT:
        return "#document-fragment";
    default:
        return Text(node->name);
    }
}

std::string NodeTextOf(const XmlTree& tree, xmlNodePtr node)
{
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = Text(content);
    xmlFree(content);
    return tree.State().preserveWhiteSpace ? text : Trimmed(std::move(text));
}

void ReplaceNodeText(XmlTree& tree, xmlNodePtr node, std::string_view text)
{
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_FRAG_NODE: {
        while (node->children)
            tree.Retire(node->children);
        if (!text.empty())
            xmlAddChild(node, xmlNewDocTextLen(tree.Doc(), Chars(text), static_cast<int>(text.size())));
        break;
    }
    default:
        xmlNodeSetContentLen(node, Chars(text), static_cast<int>(text.size()));
        break;
    }
}

std::string NodeXmlOf(const XmlTree& tree, xmlNodePtr node)
{
    if (!IsDocument(node))
        return SerialiseOne(node);
    std::string xml;
    if (!tree.Declaration().empty())
        xml = tree.Declaration() + "\r\n";
    for (xmlNodePtr child = node->children; child; child = child->next)
        xml += SerialiseOne(child) + "\r\n";
    return xml;
}

std::vector<xmlNodePtr> ChildrenOf(xmlNodePtr node)
{
    std::vector<xmlNodePtr> children;
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
        for (xmlNodePtr child = node->children; child; child = child->next)
            children.push_back(child);
        break;
    default:
        break;
    }
    return children;
}

std::vector<xmlNodePtr> AttributesOf(xmlNodePtr element)
{
    std::vector<xmlNodePtr> attributes;
    if (element->type == XML_ELEMENT_NODE)
        for (xmlAttrPtr attribute = element->properties; attribute; attribute = attribute->next)
            attributes.push_back(reinterpret_cast<xmlNodePtr>(attribute));
    return attributes;
}

namespace {

// An xsl:text element: in a stylesheet the white space it holds is output, not layout, so it stays
// when the stylesheet's document drops white space.
bool IsStylesheetText(xmlNodePtr node)
{
    return node->type == XML_ELEMENT_NODE && node->ns && node->ns->href
        && xmlStrEqual(node->ns->href, reinterpret_cast<const xmlChar*>("http://www.w3.org/1999/XSL/Transform"))
        && xmlStrEqual(node->name, reinterpret_cast<const xmlChar*>("text"));
}

} // namespace

void DropWhiteSpaceText(xmlNodePtr node)
{
    const bool keep = IsStylesheetText(node) || (node->type == XML_ELEMENT_NODE && xmlNodeGetSpacePreserve(node) == 1);
    xmlNodePtr child = node->children;
    while (child) {
        xmlNodePtr next = child->next;
        if (child->type == XML_TEXT_NODE && !keep && xmlIsBlankNode(child)) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        } else if (child->type == XML_ELEMENT_NODE) {
            DropWhiteSpaceText(child);
        }
        child = next;
    }
}

xmlDocPtr CopyAsDocument(xmlNodePtr node)
{
    xmlDocPtr copy = nullptr;
    if (IsDocument(node)) {
        copy = xmlCopyDoc(reinterpret_cast<xmlDocPtr>(node), 1);
    } else if (node->type == XML_ELEMENT_NODE) {
        copy = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
        xmlNodePtr root = copy ? xmlDocCopyNode(node, copy, 1) : nullptr;
        if (!root) {
            xmlFreeDoc(copy);
            return nullptr;
        }
        xmlDocSetRootElement(copy, root);
    }
    if (copy && !copy->encoding)
        copy->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>("UTF-8"));
    return copy;
}

HRESULT SelectNodes(
    const XmlTree& tree, xmlNodePtr node, std::string_view query, std::vector<xmlNodePtr>& found, std::string& error)
{
    found.clear();
    xmlXPathContext* const context = QueryContext(tree.Doc());
    if (!context)
        return E_OUTOFMEMORY;
    context->node = node;
    // The prefixes declared where the query starts (at the root element for a query from the
    // document) serve as they do in the document; the document's SelectionNamespaces come after
    // them and win.
    xmlNodePtr scope = node->type == XML_ATTRIBUTE_NODE ? node->parent : node;
    if (IsDocument(node))
        scope = xmlDocGetRootElement(tree.Doc());
    if (scope && scope->type == XML_ELEMENT_NODE) {
        if (xmlNsPtr* inScope = xmlGetNsList(tree.Doc(), scope)) {
            for (xmlNsPtr* ns = inScope; *ns; ++ns)
                if ((*ns)->prefix)
                    xmlXPathRegisterNs(context, (*ns)->prefix, (*ns)->href);
            xmlFree(inScope);
        }
    }
    for (const auto& [prefix, uri] : tree.State().selectionNamespaces)
        xmlXPathRegisterNs(context, Chars(prefix), Chars(uri));

    const std::string expression(query);
    XmlErrorCapture capture;
    std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
        xmlXPathEvalExpression(Chars(expression), context), &xmlXPathFreeObject);
    if (!result) {
        error = capture.Message("The expression '" + expression + "' is not valid XPath.");
        return E_FAIL;
    }
    if (result->type != XPATH_NODESET) {
        error = "The expression '" + expression + "' does not select nodes.";
        return E_FAIL;
    }
    if (result->nodesetval)
        for (int i = 0; i < result->nodesetval->nodeNr; ++i)
            if (result->nodesetval->nodeTab[i]->type != XML_NAMESPACE_DECL)
                found.push_back(result->nodesetval->nodeTab[i]);
    return S_OK;
}

bool ParseNamespaceDeclarations(std::string_view text, std::vector<std::pair<std::string, std::string>>& out)
{
    std::vector<std::pair<std::string, std::string>> declarations;
    size_t at = 0;
    auto skipSpace = [&] {
        while (at < text.size() && IsXmlSpace(text[at]))
            ++at;
    };
    for (skipSpace(); at < text.size(); skipSpace()) {
        constexpr std::string_view xmlns = "xmlns";
        if (text.substr(at, xmlns.size()) != xmlns)
            return false;
        at += xmlns.size();
        std::string prefix;
        if (at < text.size() && text[at] == ':') {
            const size_t begin = ++at;
            while (at < text.size() && text[at] != '=' && !IsXmlSpace(text[at]))
                ++at;
            prefix = std::string(text.substr(begin, at - begin));
            if (prefix.empty() || xmlValidateNCName(reinterpret_cast<const xmlChar*>(prefix.c_str()), 0) != 0)
                return false;
        }
        if (at >= text.size() || text[at] != '=')
            return false;
        ++at;
        if (at >= text.size() || (text[at] != '\'' && text[at] != '"'))
            return false;
        const char quote = text[at++];
        const size_t end = text.find(quote, at);
        if (end == std::string_view::npos)
            return false;
        std::string uri(text.substr(at, end - at));
        at = end + 1;
        // XPath 1.0 has no default namespace for names without a prefix, so that declaration
        // is accepted and has no effect.
        if (!prefix.empty())
            declarations.emplace_back(std::move(prefix), std::move(uri));
    }
    out = std::move(declarations);
    return true;
}

} // namespace platform::xml
