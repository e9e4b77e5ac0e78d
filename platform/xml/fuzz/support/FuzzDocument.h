#pragma once
// The XML set-up shared by the fuzz targets that read documents: the apartment and the registered
// library once per run, and a document loaded from a target's input.

#include <string>

#include "platform/com/ObjBase.h"
#include "platform/xml/MsXml.h"

namespace platform::xml_fuzz {

// For LLVMFuzzerInitialize: the thread's apartment, with the XML library registered.
inline void InitializeXml()
{
    CoInitialize(nullptr);
    EnsureXmlRegistered();
}

// A fresh document with the text loaded into it; loaded says whether the text was well-formed. Null
// when no document could be made.
inline IXMLDOMDocument2Ptr LoadDocument(const std::string& text, bool preserveWhiteSpace, bool& loaded)
{
    loaded = false;
    IXMLDOMDocument2Ptr document;
    if (FAILED(document.CreateInstance(CLSID_DOMDocument30)))
        return nullptr;
    document->put_preserveWhiteSpace(preserveWhiteSpace ? VARIANT_TRUE : VARIANT_FALSE);
    VARIANT_BOOL result = VARIANT_FALSE;
    loaded = SUCCEEDED(document->loadXML(_bstr_t(text.c_str()), &result)) && result != VARIANT_FALSE;
    return document;
}

} // namespace platform::xml_fuzz
