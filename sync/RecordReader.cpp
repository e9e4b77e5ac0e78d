#include "sync/RecordReader.h"

#include <climits>

#include "platform/base/CodePage.h"
#include "sync/ComponentUtilities.h"

namespace record_reader {

void Check(HRESULT hr)
{
    if (FAILED(hr))
        _com_raise_error(hr);
}

_bstr_t Text(IXMLDOMNode* node)
{
    if (!node)
        _com_raise_error(E_POINTER);
    BSTR text = nullptr;
    Check(node->get_text(&text));
    return _bstr_t(text, false);
}

IXMLDOMNamedNodeMapPtr Attributes(IXMLDOMNode* node)
{
    if (!node)
        _com_raise_error(E_POINTER);
    IXMLDOMNamedNodeMapPtr attributes;
    Check(node->get_attributes(&attributes));
    if (!attributes)
        _com_raise_error(E_POINTER);
    return attributes;
}

std::optional<_bstr_t> NamedText(IXMLDOMNamedNodeMap* attributes, const char* name)
{
    IXMLDOMNodePtr attribute;
    Check(attributes->getNamedItem(_bstr_t(name), &attribute));
    if (!attribute)
        return std::nullopt;
    return Text(attribute);
}

std::optional<_bstr_t> AttributeText(IXMLDOMNode* node, const char* name)
{
    if (!node)
        _com_raise_error(E_POINTER);
    IXMLDOMNamedNodeMapPtr attributes;
    Check(node->get_attributes(&attributes));
    if (!attributes)
        return std::nullopt;
    return NamedText(attributes, name);
}

bool HasChildren(IXMLDOMNode* node)
{
    if (!node)
        _com_raise_error(E_POINTER);
    VARIANT_BOOL has = VARIANT_FALSE;
    Check(node->hasChildNodes(&has));
    return has != VARIANT_FALSE;
}

IXMLDOMNodePtr Child(IXMLDOMNode* node, const char* path)
{
    if (!node)
        _com_raise_error(E_POINTER);
    IXMLDOMNodePtr child;
    Check(node->selectSingleNode(_bstr_t(path), &child));
    return child;
}

std::optional<_bstr_t> ChildText(IXMLDOMNode* node, const char* path)
{
    IXMLDOMNodePtr child = Child(node, path);
    if (!child)
        return std::nullopt;
    return Text(child);
}

std::vector<IXMLDOMNodePtr> SelectAll(IXMLDOMNode* node, const char* path)
{
    if (!node)
        _com_raise_error(E_POINTER);
    IXMLDOMNodeListPtr list;
    Check(node->selectNodes(_bstr_t(path), &list));
    if (!list)
        _com_raise_error(E_POINTER);
    LONG length = 0;
    Check(list->get_length(&length));
    std::vector<IXMLDOMNodePtr> nodes;
    for (LONG i = 0; i < length; ++i) {
        IXMLDOMNodePtr item;
        Check(list->get_item(i, &item));
        if (item)
            nodes.push_back(item);
    }
    return nodes;
}

LONG ToLong(const _bstr_t& text)
{
    const OLECHAR* p = static_cast<const OLECHAR*>(text);
    if (!p)
        return 0;
    while (*p == u' ' || (*p >= u'\t' && *p <= u'\r'))
        ++p;
    bool negative = false;
    if (*p == u'+' || *p == u'-')
        negative = *p++ == u'-';
    long long value = 0;
    for (; *p >= u'0' && *p <= u'9'; ++p) {
        value = value * 10 + (*p - u'0');
        // Past the 32-bit range the value saturates, as the library conversion does.
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<LONG>(value);
}

_variant_t TextValue(const _bstr_t& text)
{
    const OLECHAR* wide = static_cast<const OLECHAR*>(text);
    return _variant_t(wide ? wide : u"");
}

_variant_t ColumnValue(const _bstr_t& text, const char* table, const char* column)
{
    std::string cut;
    TruncateToColumn(cut, platform::Utf16ToUtf8(Wide(TextValue(text))), GetColumnSize(table, column));
    return _variant_t(platform::Utf8ToUtf16(cut).c_str());
}

std::string Utf8(const _variant_t& value) { return platform::Utf16ToUtf8(Wide(value)); }

std::u16string Wide(const _variant_t& value)
{
    if (value.vt != VT_BSTR || !value.bstrVal)
        return {};
    return std::u16string(value.bstrVal, SysStringLen(value.bstrVal));
}

bool Filled(const std::optional<_bstr_t>& text) { return text && text->length() > 0; }

void ReadContainerItem(
    IXMLDOMNode* item, _variant_t& label, _variant_t& href, _variant_t& primaryKey, _variant_t& secondaryKey)
{
    const std::optional<_bstr_t> labelText = NamedText(Attributes(item), "label");
    if (!labelText)
        _com_raise_error(E_POINTER);
    label = TextValue(*labelText);
    if (!HasChildren(item))
        return;
    IXMLDOMNodePtr ref = Child(item, "./ref");
    if (!ref)
        return;
    IXMLDOMNamedNodeMapPtr attributes = Attributes(ref);
    if (auto text = NamedText(attributes, "href"))
        href = TextValue(*text);
    if (auto text = NamedText(attributes, "primarykey"))
        primaryKey = TextValue(*text);
    if (auto text = NamedText(attributes, "secondarykey"))
        secondaryKey = TextValue(*text);
}

void ReportError(const _com_error& error) { SetComErrorInfo(error); }

} // namespace record_reader
