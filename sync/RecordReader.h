#pragma once
// Reading the device's documents into records: the few DOM operations the record parsers use, each
// raising a COM error (_com_error) when the XML library fails, so that a parser can give up in one
// place and leave the error as the thread's error information.

#include <optional>
#include <vector>

#include "platform/com/ComDef.h"
#include "platform/xml/MsXml.h"

namespace record_reader {

// Raises _com_error for a failed result.
void Check(HRESULT hr);

// The node's text (all its descendants' text).
_bstr_t Text(IXMLDOMNode* node);
// The text of the element's attribute; none when the element has no such attribute or no attribute
// list (a node that is not an element).
std::optional<_bstr_t> AttributeText(IXMLDOMNode* node, const char* name);
// The element's attribute list; raises E_POINTER when it has none.
IXMLDOMNamedNodeMapPtr Attributes(IXMLDOMNode* node);
// The text of the named attribute in the list; none when absent.
std::optional<_bstr_t> NamedText(IXMLDOMNamedNodeMap* attributes, const char* name);
// True when the node has child nodes.
bool HasChildren(IXMLDOMNode* node);
// The first node the relative path selects, or null.
IXMLDOMNodePtr Child(IXMLDOMNode* node, const char* path);
// The text of the first node the path selects; none when there is no such node.
std::optional<_bstr_t> ChildText(IXMLDOMNode* node, const char* path);
// Every node the path selects, in document order; raises E_POINTER for a null list.
std::vector<IXMLDOMNodePtr> SelectAll(IXMLDOMNode* node, const char* path);

// Decimal text-to-long conversion: leading blanks, an optional sign, then digits up to the first
// other character; 0 without digits; saturated at the 32-bit limits.
LONG ToLong(const _bstr_t& text);
// The text as a variant holding a BSTR (the empty text for a null one).
_variant_t TextValue(const _bstr_t& text);
// The text cut to the size of a desktop column, in characters, never inside a character.
_variant_t ColumnValue(const _bstr_t& text, const char* table, const char* column);
// The text of a variant that holds a BSTR, as UTF-8 (empty for any other variant).
std::string Utf8(const _variant_t& value);
// The wide text of a variant that holds a BSTR (empty for any other variant).
std::u16string Wide(const _variant_t& value);
// True when the optional text is present and not empty.
bool Filled(const std::optional<_bstr_t>& text);

// Reads a container document's item: its label (raising E_POINTER when it has none), then, from its
// "ref" child when there is one, the href, primary key and secondary key that are present.
void ReadContainerItem(IXMLDOMNode* item, _variant_t& label, _variant_t& href, _variant_t& primaryKey,
    _variant_t& secondaryKey);

// Calls add(item) for each "item" child of the document's root element, in document order. False
// for no document, no root, no items or a failure of the XML library (also one inside add).
template <class Add>
bool ForEachItem(IXMLDOMDocument* document, Add add)
{
    if (!document)
        return false;
    try {
        IXMLDOMElementPtr root;
        Check(document->get_documentElement(&root));
        if (!root)
            return false;
        const std::vector<IXMLDOMNodePtr> items = SelectAll(root, "item");
        if (items.empty())
            return false;
        for (const IXMLDOMNodePtr& item : items)
            add(item);
        return true;
    } catch (const _com_error&) {
        return false;
    }
}

// Leaves the COM error as the thread's error information.
void ReportError(const _com_error& error);

} // namespace record_reader
