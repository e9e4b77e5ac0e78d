#pragma once
// The members of this library's interfaces that late-bound callers reach by name (a record set
// saving itself into a document calls loadXML this way). Methods without arguments (the node
// list's reset) are left out: no late-bound caller uses them.

#include <vector>

#include "platform/com/IDispatchImpl.h"
#include "platform/xml/MsXml.h"

namespace platform::dispatch {

// Objects of this library travel back to late-bound callers as VT_DISPATCH.
template<class I> struct DispatchOut {
    static constexpr bool known = true;
    static constexpr VARTYPE vt = VT_DISPATCH;
    static void Store(I*& value, VARIANT& dest)
    {
        dest.vt = VT_DISPATCH;
        dest.pdispVal = value;
        value = nullptr;
    }
    static void Free(I*& value)
    {
        if (value)
            value->Release();
        value = nullptr;
    }
};
template<> struct OutType<IXMLDOMNode*> : DispatchOut<IXMLDOMNode> {
};
template<> struct OutType<IXMLDOMElement*> : DispatchOut<IXMLDOMElement> {
};
template<> struct OutType<IXMLDOMNodeList*> : DispatchOut<IXMLDOMNodeList> {
};
template<> struct OutType<IXMLDOMNamedNodeMap*> : DispatchOut<IXMLDOMNamedNodeMap> {
};
template<> struct OutType<IXMLDOMParseError*> : DispatchOut<IXMLDOMParseError> {
};
template<> struct OutType<IXSLProcessor*> : DispatchOut<IXSLProcessor> {
};
template<> struct OutType<DOMNodeType> {
    static constexpr bool known = true;
    static constexpr VARTYPE vt = VT_I4;
    static void Store(DOMNodeType& value, VARIANT& dest)
    {
        dest.vt = VT_I4;
        dest.lVal = value;
    }
    static void Free(DOMNodeType&) { }
};

} // namespace platform::dispatch

namespace platform::xml {

template<class T> std::vector<DispMember> NodeMembers()
{
    return {
        DispPropGet<&T::get_nodeName>(2, u"nodeName"),
        DispPropGet<&T::get_nodeValue>(3, u"nodeValue"),
        DispPropGet<&T::get_nodeType>(4, u"nodeType"),
        DispPropGet<&T::get_parentNode>(6, u"parentNode"),
        DispPropGet<&T::get_childNodes>(7, u"childNodes"),
        DispPropGet<&T::get_firstChild>(8, u"firstChild"),
        DispPropGet<&T::get_attributes>(12, u"attributes"),
        DispMethod<&T::hasChildNodes>(22, u"hasChildNodes"),
        DispPropGet<&T::get_text>(24, u"text"),
        DispPropPut<&T::put_text>(24, u"text"),
        DispPropGet<&T::get_xml>(27, u"xml"),
        DispMethod<&T::selectNodes>(29, u"selectNodes"),
        DispMethod<&T::selectSingleNode>(30, u"selectSingleNode"),
    };
}

template<class T> std::vector<DispMember> Joined(std::vector<DispMember> first, std::initializer_list<DispMember> more)
{
    first.insert(first.end(), more);
    return first;
}

} // namespace platform::xml

template<> struct platform::DispatchTable<IXMLDOMNode> {
    static std::span<const DispMember> Members()
    {
        static const std::vector<DispMember> members = xml::NodeMembers<IXMLDOMNode>();
        return members;
    }
};

template<> struct platform::DispatchTable<IXMLDOMElement> {
    static std::span<const DispMember> Members()
    {
        static const std::vector<DispMember> members = xml::Joined<IXMLDOMElement>(xml::NodeMembers<IXMLDOMElement>(),
            {
                DispPropGet<&IXMLDOMElement::get_tagName>(97, u"tagName"),
                DispMethod<&IXMLDOMElement::getAttribute>(99, u"getAttribute"),
            });
        return members;
    }
};

template<> struct platform::DispatchTable<IXMLDOMDocument2> {
    static std::span<const DispMember> Members()
    {
        using D = IXMLDOMDocument2;
        static const std::vector<DispMember> members = xml::Joined<D>(xml::NodeMembers<D>(),
            {
                DispPropGet<&D::get_documentElement>(38, u"documentElement"),
                DispPropGet<&D::get_parseError>(59, u"parseError"),
                DispPropGet<&D::get_async>(61, u"async"),
                DispPropPut<&D::put_async>(61, u"async"),
                DispMethod<&D::loadXML>(63, u"loadXML"),
                DispPropGet<&D::get_validateOnParse>(65, u"validateOnParse"),
                DispPropPut<&D::put_validateOnParse>(65, u"validateOnParse"),
                DispPropGet<&D::get_resolveExternals>(66, u"resolveExternals"),
                DispPropPut<&D::put_resolveExternals>(66, u"resolveExternals"),
                DispPropGet<&D::get_preserveWhiteSpace>(67, u"preserveWhiteSpace"),
                DispPropPut<&D::put_preserveWhiteSpace>(67, u"preserveWhiteSpace"),
                DispMethod<&D::setProperty>(202, u"setProperty"),
                DispMethod<&D::getProperty>(203, u"getProperty"),
            });
        return members;
    }
};

template<> struct platform::DispatchTable<IXMLDOMNodeList> {
    static std::span<const DispMember> Members()
    {
        static const DispMember members[] {
            DispPropGet<&IXMLDOMNodeList::get_item>(0, u"item"),
            DispPropGet<&IXMLDOMNodeList::get_length>(74, u"length"),
            DispMethod<&IXMLDOMNodeList::nextNode>(76, u"nextNode"),
        };
        return members;
    }
};

template<> struct platform::DispatchTable<IXMLDOMNamedNodeMap> {
    static std::span<const DispMember> Members()
    {
        static const DispMember members[] {
            DispMethod<&IXMLDOMNamedNodeMap::getNamedItem>(83, u"getNamedItem"),
            DispPropGet<&IXMLDOMNamedNodeMap::get_item>(0, u"item"),
            DispPropGet<&IXMLDOMNamedNodeMap::get_length>(74, u"length"),
        };
        return members;
    }
};

template<> struct platform::DispatchTable<IXMLDOMParseError> {
    static std::span<const DispMember> Members()
    {
        static const DispMember members[] {
            DispPropGet<&IXMLDOMParseError::get_errorCode>(0, u"errorCode"),
            DispPropGet<&IXMLDOMParseError::get_url>(179, u"url"),
            DispPropGet<&IXMLDOMParseError::get_reason>(180, u"reason"),
            DispPropGet<&IXMLDOMParseError::get_srcText>(181, u"srcText"),
            DispPropGet<&IXMLDOMParseError::get_line>(182, u"line"),
            DispPropGet<&IXMLDOMParseError::get_linepos>(183, u"linepos"),
            DispPropGet<&IXMLDOMParseError::get_filepos>(184, u"filepos"),
        };
        return members;
    }
};

template<> struct platform::DispatchTable<IXSLTemplate> {
    static std::span<const DispMember> Members()
    {
        static const DispMember members[] {
            DispPropGet<&IXSLTemplate::get_stylesheet>(2, u"stylesheet"),
            DispMethod<&IXSLTemplate::createProcessor>(3, u"createProcessor"),
        };
        return members;
    }
};

template<> struct platform::DispatchTable<IXSLProcessor> {
    static std::span<const DispMember> Members()
    {
        static const DispMember members[] {
            DispPropPut<&IXSLProcessor::put_input>(2, u"input"),
            DispPropGet<&IXSLProcessor::get_input>(2, u"input"),
            DispMethod<&IXSLProcessor::transform>(10, u"transform"),
            DispPropGet<&IXSLProcessor::get_output>(12, u"output"),
            DispMethod<&IXSLProcessor::addParameter>(13, u"addParameter"),
        };
        return members;
    }
};
