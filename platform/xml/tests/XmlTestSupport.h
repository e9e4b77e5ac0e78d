#pragma once
// Creating the library's objects as clients do: registered, then by class id.

#include <gtest/gtest.h>

#include <string>

#include "platform/base/CodePage.h"
#include "platform/xml/MsXml.h"

namespace xmltest {

// A document of the given class with the settings the component's callers use.
inline IXMLDOMDocument2Ptr NewDocument(const CLSID& clsid = CLSID_DOMDocument30)
{
    EXPECT_GE(CoInitialize(nullptr), 0);
    EXPECT_EQ(platform::EnsureXmlRegistered(), S_OK);
    IXMLDOMDocument2Ptr document;
    EXPECT_EQ(document.CreateInstance(clsid), S_OK);
    if (document) {
        document->put_async(VARIANT_FALSE);
        document->put_validateOnParse(VARIANT_FALSE);
        document->put_resolveExternals(VARIANT_FALSE);
        document->put_preserveWhiteSpace(VARIANT_FALSE);
    }
    return document;
}

inline HRESULT Load(IXMLDOMDocument2* document, std::string_view utf8)
{
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT hr = document->loadXML(_bstr_t(platform::Utf8ToUtf16(utf8).c_str()), &loaded);
    return hr == S_OK && loaded == VARIANT_TRUE ? S_OK : (FAILED(hr) ? hr : S_FALSE);
}

// A BSTR [out] value as UTF-8, freeing it.
inline std::string Take(BSTR text)
{
    const std::string utf8 = text ? platform::Utf16ToUtf8(std::u16string_view(text, SysStringLen(text))) : "";
    SysFreeString(text);
    return utf8;
}

inline std::string XmlOf(IXMLDOMNode* node)
{
    BSTR xml = nullptr;
    EXPECT_EQ(node->get_xml(&xml), S_OK);
    return Take(xml);
}

inline std::string TextOf(IXMLDOMNode* node)
{
    BSTR text = nullptr;
    EXPECT_EQ(node->get_text(&text), S_OK);
    return Take(text);
}

} // namespace xmltest
