// The program registers the library as it does any missing component: it loads "msxml3.dll" from
// its folder and calls DllRegisterServer; the ProgID then names the document class.

#include <gtest/gtest.h>

#include "platform/base/Modules.h"
#include "platform/xml/tests/XmlTestSupport.h"

TEST(RegistrationTest, TheProgramRegistersTheLibraryThroughItsExport)
{
    ASSERT_GE(CoInitialize(nullptr), 0);
    HMODULE library = LoadLibrary("msxml3.dll");
    ASSERT_TRUE(library);
    using Export = HRESULT (*)();
    auto registerServer
        = reinterpret_cast<Export>(reinterpret_cast<void (*)()>(GetProcAddress(library, "DllRegisterServer")));
    auto unregisterServer
        = reinterpret_cast<Export>(reinterpret_cast<void (*)()>(GetProcAddress(library, "DllUnregisterServer")));
    ASSERT_TRUE(registerServer && unregisterServer);

    ASSERT_EQ(unregisterServer(), S_OK);
    CLSID clsid {};
    EXPECT_EQ(CLSIDFromProgID(u"Msxml2.DOMDocument.3.0", &clsid), CO_E_CLASSSTRING);

    ASSERT_EQ(registerServer(), S_OK);
    struct Class {
        const char16_t* progId;
        CLSID clsid;
    };
    for (const Class& c : { Class { u"Msxml2.DOMDocument.3.0", CLSID_DOMDocument30 },
             Class { u"Msxml2.FreeThreadedDOMDocument.3.0", CLSID_FreeThreadedDOMDocument30 },
             Class { u"Msxml2.XSLTemplate.3.0", CLSID_XSLTemplate30 } }) {
        ASSERT_EQ(CLSIDFromProgID(c.progId, &clsid), S_OK);
        EXPECT_EQ(clsid, c.clsid);
    }
    IXMLDOMDocument2Ptr document;
    EXPECT_EQ(document.CreateInstance(u"Msxml2.DOMDocument.3.0"), S_OK);
    EXPECT_EQ(xmltest::Load(document, "<a/>"), S_OK);
    FreeLibrary(library);
}
