#pragma once
// The XML library as its clients see it: DOM documents (plain and free-threaded), their nodes, node
// lists, attribute maps and parse errors, and the XSL template with its processor. Every method
// returns an HRESULT; a method that may find nothing (documentElement, selectSingleNode,
// getNamedItem) gives S_FALSE and a null pointer then.
//
//     IXMLDOMDocument2Ptr document;
//     document.CreateInstance(CLSID_DOMDocument30);              // or u"Msxml2.DOMDocument.3.0"
//     VARIANT_BOOL loaded = VARIANT_FALSE;
//     document->loadXML(_bstr_t("<a><b/></a>"), &loaded);
//
// No document ever loads a DTD, an external entity or anything from the network, whatever
// resolveExternals says.

#include "platform/com/ComDef.h"
#include "platform/com/OleAuto.h"

enum DOMNodeType : LONG {
    NODE_INVALID = 0,
    NODE_ELEMENT = 1,
    NODE_ATTRIBUTE = 2,
    NODE_TEXT = 3,
    NODE_CDATA_SECTION = 4,
    NODE_ENTITY_REFERENCE = 5,
    NODE_ENTITY = 6,
    NODE_PROCESSING_INSTRUCTION = 7,
    NODE_COMMENT = 8,
    NODE_DOCUMENT = 9,
    NODE_DOCUMENT_TYPE = 10,
    NODE_DOCUMENT_FRAGMENT = 11,
    NODE_NOTATION = 12,
};

struct IXMLDOMNodeList;
struct IXMLDOMNamedNodeMap;
struct IXMLDOMDocument;

// Any node of a document: element, attribute, text, the document itself...
struct IXMLDOMNode : IDispatch {
    // The qualified name of an element or attribute; "#text", "#comment", "#document"... for the others.
    virtual HRESULT get_nodeName(BSTR* name) = 0;
    // The value of an attribute, text, comment or processing instruction; VT_NULL for the others.
    virtual HRESULT get_nodeValue(VARIANT* value) = 0;
    virtual HRESULT get_nodeType(DOMNodeType* type) = 0;
    // S_FALSE and null for the document and for a node outside any tree.
    virtual HRESULT get_parentNode(IXMLDOMNode** parent) = 0;
    // The children in document order (an attribute's child is its text).
    virtual HRESULT get_childNodes(IXMLDOMNodeList** children) = 0;
    // S_FALSE and null when there are no children.
    virtual HRESULT get_firstChild(IXMLDOMNode** child) = 0;
    // An element's attributes; S_FALSE and null for every other kind of node.
    virtual HRESULT get_attributes(IXMLDOMNamedNodeMap** attributes) = 0;
    // VARIANT_TRUE when the node has at least one child.
    virtual HRESULT hasChildNodes(VARIANT_BOOL* has) = 0;
    // The text of the node and all its descendants; leading and trailing white space is dropped
    // unless the document preserves white space.
    virtual HRESULT get_text(BSTR* text) = 0;
    // Replaces the node's content by one text (markup characters are kept as text).
    virtual HRESULT put_text(BSTR text) = 0;
    // The node serialised as XML text, without character references for non-ASCII text.
    virtual HRESULT get_xml(BSTR* xml) = 0;
    // Every node an XPath 1.0 expression selects from this node, in document order. Prefixes are
    // those of the document's SelectionNamespaces and those in scope at this node.
    virtual HRESULT selectNodes(BSTR query, IXMLDOMNodeList** result) = 0;
    // The first node of selectNodes; S_FALSE and null when there is none.
    virtual HRESULT selectSingleNode(BSTR query, IXMLDOMNode** result) = 0;
};

// A fixed list of nodes with a cursor for nextNode.
struct IXMLDOMNodeList : IDispatch {
    // The node at a position from 0; S_FALSE and null outside the list.
    virtual HRESULT get_item(LONG index, IXMLDOMNode** node) = 0;
    virtual HRESULT get_length(LONG* length) = 0;
    // The node at the cursor, moving it on; S_FALSE and null after the last one.
    virtual HRESULT nextNode(IXMLDOMNode** node) = 0;
    // Moves the cursor back before the first node.
    virtual HRESULT reset() = 0;
};

// The attributes of one element.
struct IXMLDOMNamedNodeMap : IDispatch {
    // The attribute of that qualified name; S_FALSE and null when the element has none.
    virtual HRESULT getNamedItem(BSTR name, IXMLDOMNode** attribute) = 0;
    // The attribute at a position from 0, in document order; S_FALSE and null outside the map.
    virtual HRESULT get_item(LONG index, IXMLDOMNode** attribute) = 0;
    virtual HRESULT get_length(LONG* length) = 0;
};

struct IXMLDOMElement : IXMLDOMNode {
    virtual HRESULT get_tagName(BSTR* name) = 0;
    // The attribute's text; VT_NULL when the element has no such attribute (S_FALSE).
    virtual HRESULT getAttribute(BSTR name, VARIANT* value) = 0;
};

// Why the last load of a document failed; errorCode 0 after a successful one.
struct IXMLDOMParseError : IDispatch {
    virtual HRESULT get_errorCode(LONG* code) = 0;
    virtual HRESULT get_url(BSTR* url) = 0;
    virtual HRESULT get_reason(BSTR* reason) = 0;
    // The text of the line where the error was found.
    virtual HRESULT get_srcText(BSTR* text) = 0;
    // Line and column of the error, both counted from 1.
    virtual HRESULT get_line(LONG* line) = 0;
    virtual HRESULT get_linepos(LONG* position) = 0;
    // The offset of the error in the text, in characters from 1.
    virtual HRESULT get_filepos(LONG* position) = 0;
};

struct IXMLDOMDocument : IXMLDOMNode {
    // The root element; S_FALSE and null while the document is empty.
    virtual HRESULT get_documentElement(IXMLDOMElement** element) = 0;
    // The outcome of the last load.
    virtual HRESULT get_parseError(IXMLDOMParseError** error) = 0;
    // Kept for callers that set them; loading from text always completes before loadXML returns.
    virtual HRESULT get_async(VARIANT_BOOL* isAsync) = 0;
    virtual HRESULT put_async(VARIANT_BOOL isAsync) = 0;
    // Kept for callers that set them; documents are never validated, since no DTD is ever loaded.
    virtual HRESULT get_validateOnParse(VARIANT_BOOL* validate) = 0;
    virtual HRESULT put_validateOnParse(VARIANT_BOOL validate) = 0;
    // Kept for callers that set them; external DTDs and entities are never resolved.
    virtual HRESULT get_resolveExternals(VARIANT_BOOL* resolve) = 0;
    virtual HRESULT put_resolveExternals(VARIANT_BOOL resolve) = 0;
    // When false (the default), text nodes holding only white space are dropped on load and text
    // is trimmed; when true, both are kept as they are.
    virtual HRESULT get_preserveWhiteSpace(VARIANT_BOOL* preserve) = 0;
    virtual HRESULT put_preserveWhiteSpace(VARIANT_BOOL preserve) = 0;
    // Parses the text into the document. VARIANT_TRUE and S_OK when it parses; otherwise
    // VARIANT_FALSE and S_FALSE, the reason in parseError, and the document keeps what it held.
    virtual HRESULT loadXML(BSTR xml, VARIANT_BOOL* isSuccessful) = 0;
};

struct IXMLDOMDocument2 : IXMLDOMDocument {
    // "SelectionLanguage" ("XPath" or "XSLPattern"; both are run as XPath 1.0) and
    // "SelectionNamespaces" (declarations such as "xmlns:rs='urn:schemas-microsoft-com:rowset'");
    // E_INVALIDARG for other names and for malformed values, which leave the setting as it was.
    virtual HRESULT setProperty(BSTR name, VARIANT value) = 0;
    virtual HRESULT getProperty(BSTR name, VARIANT* value) = 0;
};

struct IXSLProcessor;

// A compiled stylesheet that processors are made from.
struct IXSLTemplate : IDispatch {
    // Compiles the stylesheet held by a document of this library; E_INVALIDARG for another object,
    // E_FAIL (with the reason as error information) for a stylesheet that does not compile.
    virtual HRESULT putref_stylesheet(IXMLDOMNode* stylesheet) = 0;
    virtual HRESULT get_stylesheet(IXMLDOMNode** stylesheet) = 0;
    // A new processor for the stylesheet; E_FAIL when no stylesheet was given.
    virtual HRESULT createProcessor(IXSLProcessor** processor) = 0;
};

// One run of a stylesheet over an input document.
struct IXSLProcessor : IDispatch {
    // The document (or node) to transform, as VT_DISPATCH or VT_UNKNOWN of this library's nodes.
    virtual HRESULT put_input(VARIANT input) = 0;
    virtual HRESULT get_input(VARIANT* input) = 0;
    // Runs the whole transform; VARIANT_TRUE when it has finished (it always finishes in one call).
    virtual HRESULT transform(VARIANT_BOOL* done) = 0;
    // The result as text (VT_BSTR). An XML result begins <?xml version="1.0" encoding="UTF-16"?>
    // and carries non-ASCII text as characters, not character references.
    virtual HRESULT get_output(VARIANT* output) = 0;
    // Sets a top-level parameter of the stylesheet for the next transform. The value (a text, or a
    // number or Boolean converted to text) reaches the stylesheet as a string; the namespace is
    // empty for the usual unqualified parameters.
    virtual HRESULT addParameter(BSTR baseName, VARIANT parameter, BSTR namespaceURI) = 0;
};

TS_DEFINE_IID(IXMLDOMNode, "2933BF80-7B36-11D2-B20E-00C04F983E60");
TS_DEFINE_IID(IXMLDOMDocument, "2933BF81-7B36-11D2-B20E-00C04F983E60");
TS_DEFINE_IID(IXMLDOMNodeList, "2933BF82-7B36-11D2-B20E-00C04F983E60");
TS_DEFINE_IID(IXMLDOMNamedNodeMap, "2933BF83-7B36-11D2-B20E-00C04F983E60");
TS_DEFINE_IID(IXMLDOMElement, "2933BF86-7B36-11D2-B20E-00C04F983E60");
TS_DEFINE_IID(IXMLDOMParseError, "3EFAA426-272F-11D2-836F-0000F87A7782");
TS_DEFINE_IID(IXMLDOMDocument2, "2933BF95-7B36-11D2-B20E-00C04F983E60");
TS_DEFINE_IID(IXSLTemplate, "2933BF93-7B36-11D2-B20E-00C04F983E60");
TS_DEFINE_IID(IXSLProcessor, "2933BF92-7B36-11D2-B20E-00C04F983E60");

inline constexpr CLSID CLSID_DOMDocument30 = platform::MakeGuid("F5078F32-C551-11D3-89B9-0000F81FE221");
inline constexpr CLSID CLSID_FreeThreadedDOMDocument30 = platform::MakeGuid("F5078F33-C551-11D3-89B9-0000F81FE221");
inline constexpr CLSID CLSID_XSLTemplate30 = platform::MakeGuid("F5078F36-C551-11D3-89B9-0000F81FE221");

_COM_SMARTPTR_TYPEDEF(IXMLDOMNode, platform::IidOf<IXMLDOMNode>());
_COM_SMARTPTR_TYPEDEF(IXMLDOMNodeList, platform::IidOf<IXMLDOMNodeList>());
_COM_SMARTPTR_TYPEDEF(IXMLDOMNamedNodeMap, platform::IidOf<IXMLDOMNamedNodeMap>());
_COM_SMARTPTR_TYPEDEF(IXMLDOMElement, platform::IidOf<IXMLDOMElement>());
_COM_SMARTPTR_TYPEDEF(IXMLDOMParseError, platform::IidOf<IXMLDOMParseError>());
_COM_SMARTPTR_TYPEDEF(IXMLDOMDocument, platform::IidOf<IXMLDOMDocument>());
_COM_SMARTPTR_TYPEDEF(IXMLDOMDocument2, platform::IidOf<IXMLDOMDocument2>());
_COM_SMARTPTR_TYPEDEF(IXSLTemplate, platform::IidOf<IXSLTemplate>());
_COM_SMARTPTR_TYPEDEF(IXSLProcessor, platform::IidOf<IXSLProcessor>());

namespace platform {
// Registers the library's classes (the two documents and the XSL template) in the machine's classes
// when they are not registered yet, as the program's start-up does; for tests and tools. S_OK or the failure.
HRESULT EnsureXmlRegistered();
} // namespace platform
