#include <gtest/gtest.h>

#include <fstream>

#include "platform/xml/tests/XmlTestSupport.h"

using namespace xmltest;

namespace {

const char* const kRows = "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
                          "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
                          "\txmlns:rs='urn:schemas-microsoft-com:rowset'\n"
                          "\txmlns:z='#RowsetSchema'>\n"
                          "<rs:data>\n"
                          "\t<z:row REDUZIDedaDora='vqp://a/Ä' Title='Café &amp; Bar' TrackTitle='Eins'/>\n"
                          "\t<z:row REDUZIDedaDora='vqp://a/Ä' Title='Café &amp; Bar' TrackTitle='Zwei 日本'/>\n"
                          "</rs:data>\n"
                          "</xml>\n";

const char* const kStylesheet
    = "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'\n"
      "  xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882' xmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
      "  xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema' exclude-result-prefixes='s dt rs z'>\n"
      "<xsl:output method='xml' indent='yes' version='1.0' doctype-system='http://127.0.0.1:9/vireo/cdinfo.dtd'/>\n"
      "<xsl:param name='host' select=\"'none'\"/>\n"
      "<xsl:template match='/'>\n"
      "  <cdinfo href='{xml/rs:data/z:row[1]/@REDUZIDedaDora}' host='{$host}'>\n"
      "    <title><xsl:value-of select='xml/rs:data/z:row[1]/@Title'/></title>\n"
      "    <xsl:for-each select='xml/rs:data/z:row'>\n"
      "      <track number='{position()}'><xsl:value-of select='@TrackTitle'/><xsl:text> </xsl:text></track>\n"
      "    </xsl:for-each>\n"
      "  </cdinfo>\n"
      "</xsl:template>\n"
      "</xsl:stylesheet>\n";

// The template and processor as the synchronisation steps set them up.
IXSLProcessorPtr ProcessorFor(const char* stylesheetText, IXMLDOMDocument2* input)
{
    IXMLDOMDocument2Ptr stylesheet = NewDocument(CLSID_FreeThreadedDOMDocument30);
    EXPECT_EQ(Load(stylesheet, stylesheetText), S_OK);
    IXSLTemplatePtr xslTemplate;
    EXPECT_EQ(xslTemplate.CreateInstance(CLSID_XSLTemplate30), S_OK);
    EXPECT_EQ(xslTemplate->putref_stylesheet(stylesheet), S_OK);
    IXSLProcessorPtr processor;
    EXPECT_EQ(xslTemplate->createProcessor(&processor), S_OK);
    if (processor) {
        EXPECT_EQ(processor->put_input(_variant_t(static_cast<IDispatch*>(input))), S_OK);
    }
    return processor;
}

std::string Transformed(IXSLProcessor* processor)
{
    VARIANT_BOOL done = VARIANT_FALSE;
    EXPECT_EQ(processor->transform(&done), S_OK);
    EXPECT_EQ(done, VARIANT_TRUE);
    _variant_t output;
    EXPECT_EQ(processor->get_output(&output), S_OK);
    EXPECT_EQ(output.vt, VT_BSTR);
    return output.vt == VT_BSTR ? platform::Utf16ToUtf8(output.bstrVal) : "";
}

} // namespace

TEST(XslTransformTest, RowsBecomeADocumentDeclaredAsUtf16)
{
    IXMLDOMDocument2Ptr rows = NewDocument();
    ASSERT_EQ(Load(rows, kRows), S_OK);
    IXSLProcessorPtr processor = ProcessorFor(kStylesheet, rows);
    ASSERT_TRUE(processor);
    ASSERT_EQ(processor->addParameter(_bstr_t(u"host"), _variant_t(u"it's \"Ö\""), _bstr_t(u"")), S_OK);
    EXPECT_EQ(Transformed(processor),
        "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
        "<!DOCTYPE cdinfo SYSTEM \"http://127.0.0.1:9/vireo/cdinfo.dtd\">\n"
        "<cdinfo href=\"vqp://a/Ä\" host=\"it's &quot;Ö&quot;\">\n"
        "  <title>Café &amp; Bar</title>\n"
        "  <track number=\"1\">Eins </track>\n"
        "  <track number=\"2\">Zwei 日本 </track>\n"
        "</cdinfo>\n");

    // The step's document is loaded anew for each item and the processor run again.
    ASSERT_EQ(Load(rows,
                  "<xml xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'><rs:data>"
                  "<z:row REDUZIDedaDora='b' Title='T'/></rs:data></xml>"),
        S_OK);
    ASSERT_EQ(processor->put_input(_variant_t(static_cast<IDispatch*>(rows))), S_OK);
    const std::string second = Transformed(processor);
    EXPECT_NE(second.find("<cdinfo href=\"b\" host=\"it's &quot;Ö&quot;\">"), std::string::npos) << second;
    EXPECT_NE(second.find("<track number=\"1\"> </track>"), std::string::npos) << second;
}

TEST(XslTransformTest, DeclarationIsRewrittenWhateverTheStylesheetSays)
{
    // An encoding named by the stylesheet gives way to UTF-16, and text stays characters; a
    // stylesheet that omits the declaration gets none.
    IXMLDOMDocument2Ptr input = NewDocument();
    ASSERT_EQ(Load(input, "<a>Ünïcode ☃</a>"), S_OK);
    struct Case {
        const char* output;
        const char* expected;
    };
    for (const Case& c : {
             Case { "<xsl:output encoding='ISO-8859-1' standalone='yes'/>",
                 "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"yes\"?>\n<b>Ünïcode ☃</b>\n" },
             Case { "<xsl:output omit-xml-declaration='yes'/>", "<b>Ünïcode ☃</b>\n" },
             Case { "<xsl:output method='text'/>", "Ünïcode ☃" },
         }) {
        const std::string stylesheet
            = std::string("<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>") + c.output
            + "<xsl:template match='/'><b><xsl:value-of select='a'/></b></xsl:template></xsl:stylesheet>";
        IXSLProcessorPtr processor = ProcessorFor(stylesheet.c_str(), input);
        ASSERT_TRUE(processor);
        EXPECT_EQ(Transformed(processor), c.expected) << c.output;
    }
}

TEST(XslTransformTest, FailuresAreReported)
{
    IXSLTemplatePtr xslTemplate;
    ASSERT_GE(CoInitialize(nullptr), 0);
    ASSERT_EQ(platform::EnsureXmlRegistered(), S_OK);
    ASSERT_EQ(xslTemplate.CreateInstance(CLSID_XSLTemplate30), S_OK);
    IXSLProcessorPtr processor;
    EXPECT_EQ(xslTemplate->createProcessor(&processor), E_FAIL); // no stylesheet yet

    IXMLDOMDocument2Ptr stylesheet = NewDocument(CLSID_FreeThreadedDOMDocument30);
    ASSERT_EQ(Load(stylesheet,
                  "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                  "<xsl:template match='/'><xsl:value-of select='(('/></xsl:template></xsl:stylesheet>"),
        S_OK);
    EXPECT_EQ(xslTemplate->putref_stylesheet(stylesheet), E_FAIL);
    IErrorInfoPtr error;
    ASSERT_EQ(GetErrorInfo(0, &error), S_OK);
    BSTR description = nullptr;
    error->GetDescription(&description);
    EXPECT_FALSE(Take(description).empty());

    ASSERT_EQ(Load(stylesheet,
                  "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                  "<xsl:template match='/'><xsl:message terminate='yes'>stop</xsl:message></xsl:template>"
                  "</xsl:stylesheet>"),
        S_OK);
    ASSERT_EQ(xslTemplate->putref_stylesheet(stylesheet), S_OK);
    ASSERT_EQ(xslTemplate->createProcessor(&processor), S_OK);
    VARIANT_BOOL done = VARIANT_TRUE;
    EXPECT_EQ(processor->transform(&done), E_FAIL); // no input
    EXPECT_EQ(done, VARIANT_FALSE);
    EXPECT_EQ(processor->put_input(_variant_t(u"<a/>")), E_INVALIDARG);
    ASSERT_EQ(processor->put_input(_variant_t(static_cast<IDispatch*>(stylesheet))), S_OK);
    EXPECT_EQ(processor->transform(&done), E_FAIL); // the stylesheet stops itself
    EXPECT_EQ(processor->addParameter(_bstr_t(u""), _variant_t(u"x"), _bstr_t(u"")), E_INVALIDARG);
}

TEST(XslTransformTest, StylesheetsReadNoFiles)
{
    std::ofstream("secret.xml") << "<a>SECRET</a>";
    std::ofstream("part.xsl") << "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                                 "<xsl:template name='t'>SECRET</xsl:template></xsl:stylesheet>";
    IXMLDOMDocument2Ptr input = NewDocument();
    ASSERT_EQ(Load(input, "<in/>"), S_OK);

    IXSLProcessorPtr processor = ProcessorFor(
        "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
        "<xsl:template match='/'><out><xsl:value-of select=\"document('secret.xml')/a\"/></out></xsl:template>"
        "</xsl:stylesheet>",
        input);
    ASSERT_TRUE(processor);
    VARIANT_BOOL done = VARIANT_FALSE;
    if (processor->transform(&done) == S_OK) {
        _variant_t output;
        ASSERT_EQ(processor->get_output(&output), S_OK);
        EXPECT_EQ(platform::Utf16ToUtf8(output.bstrVal).find("SECRET"), std::string::npos);
    }

    IXMLDOMDocument2Ptr including = NewDocument(CLSID_FreeThreadedDOMDocument30);
    ASSERT_EQ(Load(including,
                  "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                  "<xsl:include href='part.xsl'/><xsl:template match='/'><xsl:call-template name='t'/>"
                  "</xsl:template></xsl:stylesheet>"),
        S_OK);
    IXSLTemplatePtr xslTemplate;
    ASSERT_EQ(xslTemplate.CreateInstance(CLSID_XSLTemplate30), S_OK);
    EXPECT_EQ(xslTemplate->putref_stylesheet(including), E_FAIL);
}
