#include <gtest/gtest.h>

#include "platform/xml/MsXml.h"
#include "platform/xml/tests/XmlTestSupport.h"

using namespace xmltest;

namespace {

IXMLDOMNodePtr Single(IXMLDOMNode* from, const char16_t* query)
{
    IXMLDOMNodePtr found;
    EXPECT_EQ(from->selectSingleNode(_bstr_t(query), &found), S_OK) << platform::Utf16ToUtf8(query);
    return found;
}

std::string Attribute(IXMLDOMNode* element, const char16_t* name)
{
    IXMLDOMNamedNodeMapPtr attributes;
    EXPECT_EQ(element->get_attributes(&attributes), S_OK);
    IXMLDOMNodePtr attribute;
    if (attributes->getNamedItem(_bstr_t(name), &attribute) != S_OK)
        return "<absent>";
    return TextOf(attribute);
}

} // namespace

TEST(DomDocumentTest, ParsesAndSerialisesNonAsciiTextAsCharacters)
{
    for (const CLSID& clsid : { CLSID_DOMDocument30, CLSID_FreeThreadedDOMDocument30 }) {
        IXMLDOMDocument2Ptr document = NewDocument(clsid);
        ASSERT_EQ(Load(document,
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<cdinfo href=\"Björk &amp; Ø\">\n  <title>Café 日本 &lt;live&gt;</title>\n</cdinfo>"),
            S_OK);
        // The declaration loses its encoding (the text is Unicode now); white space between
        // elements is gone since the document does not preserve it.
        EXPECT_EQ(XmlOf(document),
            "<?xml version=\"1.0\"?>\r\n"
            "<cdinfo href=\"Björk &amp; Ø\"><title>Café 日本 &lt;live&gt;</title></cdinfo>\r\n");
        IXMLDOMElementPtr root;
        ASSERT_EQ(document->get_documentElement(&root), S_OK);
        EXPECT_EQ(Attribute(root, u"href"), "Björk & Ø");
        EXPECT_EQ(TextOf(Single(root, u"title")), "Café 日本 <live>");

        // Text handed over as Unicode loads whatever encoding its declaration names.
        IXMLDOMDocument2Ptr declared = NewDocument(clsid);
        for (const char* encoding : { "UTF-16", "ISO-8859-1", "UTF-8" }) {
            ASSERT_EQ(
                Load(declared, std::string("<?xml version=\"1.0\" encoding=\"") + encoding + "\"?><a>Ä€</a>"), S_OK)
                << encoding;
            EXPECT_EQ(XmlOf(declared), "<?xml version=\"1.0\"?>\r\n<a>Ä€</a>\r\n") << encoding;
        }

        // What get_xml gives loads again to the same document.
        IXMLDOMDocument2Ptr again = NewDocument(clsid);
        ASSERT_EQ(Load(again, XmlOf(document)), S_OK);
        EXPECT_EQ(XmlOf(again), XmlOf(document));
    }
}

TEST(DomDocumentTest, MalformedTextIsRefusedAndTheOldDocumentKept)
{
    IXMLDOMDocument2Ptr document = NewDocument();
    ASSERT_EQ(Load(document, "<a><b>kept</b></a>"), S_OK);
    for (const char* bad : { "<a><b></a>", "", "just text", "<a>&undefined;</a>", "<a/><b/>" }) {
        VARIANT_BOOL loaded = VARIANT_TRUE;
        EXPECT_EQ(document->loadXML(_bstr_t(platform::Utf8ToUtf16(bad).c_str()), &loaded), S_FALSE) << bad;
        EXPECT_EQ(loaded, VARIANT_FALSE);
        IXMLDOMParseErrorPtr error;
        ASSERT_EQ(document->get_parseError(&error), S_OK);
        LONG code = 0;
        error->get_errorCode(&code);
        EXPECT_NE(code, 0) << bad;
        BSTR reason = nullptr;
        error->get_reason(&reason);
        EXPECT_FALSE(Take(reason).empty()) << bad;
        EXPECT_EQ(XmlOf(document), "<a><b>kept</b></a>\r\n") << bad;
    }
    ASSERT_EQ(Load(document, "<c/>"), S_OK);
    IXMLDOMParseErrorPtr error;
    ASSERT_EQ(document->get_parseError(&error), S_OK);
    LONG code = -1;
    error->get_errorCode(&code);
    EXPECT_EQ(code, 0);
}

TEST(DomDocumentTest, ParseErrorTellsWhere)
{
    IXMLDOMDocument2Ptr document = NewDocument();
    ASSERT_EQ(Load(document, "<a>\n<b>\n</a>"), S_FALSE);
    IXMLDOMParseErrorPtr error;
    ASSERT_EQ(document->get_parseError(&error), S_OK);
    LONG line = 0;
    error->get_line(&line);
    EXPECT_EQ(line, 3);
    BSTR source = nullptr;
    error->get_srcText(&source);
    EXPECT_EQ(Take(source), "</a>");
}

TEST(DomDocumentTest, RowsetPathsWithTheirNamespaces)
{
    const char* rowset = "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
                         "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
                         "\txmlns:rs='urn:schemas-microsoft-com:rowset'\n"
                         "\txmlns:z='#RowsetSchema'>\n"
                         "<s:Schema id='RowsetSchema'><s:ElementType name='row' content='eltOnly'>\n"
                         "\t<s:AttributeType name='Title' rs:number='1'/></s:ElementType></s:Schema>\n"
                         "<rs:data>\n"
                         "\t<z:row Title='Blue' IsCD='True'/>\n"
                         "\t<z:row Title='Rosé'/>\n"
                         "</rs:data>\n"
                         "</xml>\n";
    IXMLDOMDocument2Ptr document = NewDocument();
    ASSERT_EQ(Load(document, rowset), S_OK);
    IXMLDOMElementPtr root;
    ASSERT_EQ(document->get_documentElement(&root), S_OK);

    // The document's own prefixes serve without any setting; registered ones give the same rows,
    // and registered prefixes may differ from the document's.
    struct Case {
        const char16_t* namespaces;
        const char16_t* path;
    };
    for (const Case& c : {
             Case { nullptr, u"xml/rs:data/z:row" },
             Case { u"xmlns:rs='urn:schemas-microsoft-com:rowset' xmlns:z='#RowsetSchema'", u"/xml/rs:data/z:row" },
             Case { u"xmlns:r=\"urn:schemas-microsoft-com:rowset\"  xmlns:q='#RowsetSchema'", u"//r:data/q:row" },
         }) {
        if (c.namespaces) {
            ASSERT_EQ(document->setProperty(_bstr_t(u"SelectionLanguage"), _variant_t(u"XPath")), S_OK);
            ASSERT_EQ(document->setProperty(_bstr_t(u"SelectionNamespaces"), _variant_t(c.namespaces)), S_OK);
        }
        IXMLDOMNodeListPtr rows;
        ASSERT_EQ(document->selectNodes(_bstr_t(c.path), &rows), S_OK);
        LONG length = 0;
        rows->get_length(&length);
        ASSERT_EQ(length, 2) << platform::Utf16ToUtf8(c.path);
        IXMLDOMNodePtr row;
        ASSERT_EQ(rows->nextNode(&row), S_OK);
        EXPECT_EQ(Attribute(row, u"Title"), "Blue");
        EXPECT_EQ(Attribute(row, u"IsCD"), "True");
        ASSERT_EQ(rows->nextNode(&row), S_OK);
        EXPECT_EQ(Attribute(row, u"Title"), "Rosé");
        EXPECT_EQ(Attribute(row, u"IsCD"), "<absent>"); // a Null column has no attribute
        EXPECT_EQ(rows->nextNode(&row), S_FALSE);
        EXPECT_FALSE(row);
    }
    IXMLDOMNodePtr schema = Single(root, u"s:Schema");
    BSTR name = nullptr;
    ASSERT_EQ(schema->get_nodeName(&name), S_OK);
    EXPECT_EQ(Take(name), "s:Schema");

    IXMLDOMNodeListPtr none;
    EXPECT_EQ(document->setProperty(_bstr_t(u"SelectionNamespaces"), _variant_t(u"xmlns:='x'")), E_INVALIDARG);
    EXPECT_EQ(document->setProperty(_bstr_t(u"SelectionLanguage"), _variant_t(u"SQL")), E_INVALIDARG);
    EXPECT_EQ(document->selectNodes(_bstr_t(u"xml/[broken"), &none), E_FAIL);
    EXPECT_EQ(document->selectNodes(_bstr_t(u"count(//z:row)"), &none), E_FAIL);
    IXMLDOMNodePtr nothing;
    EXPECT_EQ(root->selectSingleNode(_bstr_t(u"rs:data/z:missing"), &nothing), S_FALSE);
    EXPECT_FALSE(nothing);
}

TEST(DomDocumentTest, DeviceDocumentReading)
{
    // The shapes the device's documents are read in: relative paths, repeated children, the
    // attribute map, the child test and text.
    IXMLDOMDocument2Ptr document = NewDocument();
    ASSERT_EQ(Load(document,
                  "<radioinfo href='vqp://x/1'>\n"
                  "  <name>  Radio Ü  </name>\n"
                  "  <group>All</group><group>Jazz</group>\n"
                  "  <internet><href>http://s/1</href><urlno></urlno></internet>\n"
                  "  <empty/>\n"
                  "</radioinfo>"),
        S_OK);
    IXMLDOMElementPtr root;
    ASSERT_EQ(document->get_documentElement(&root), S_OK);
    VARIANT_BOOL has = VARIANT_FALSE;
    EXPECT_EQ(root->hasChildNodes(&has), S_OK);
    EXPECT_EQ(has, VARIANT_TRUE);
    EXPECT_EQ(Single(root, u"./empty")->hasChildNodes(&has), S_FALSE);
    EXPECT_EQ(has, VARIANT_FALSE);
    EXPECT_EQ(TextOf(Single(root, u"name")), "Radio Ü");
    EXPECT_EQ(TextOf(Single(root, u"./internet/href")), "http://s/1");
    EXPECT_EQ(TextOf(Single(root, u"./internet/urlno")), "");

    IXMLDOMNodeListPtr groups;
    ASSERT_EQ(root->selectNodes(_bstr_t(u"group"), &groups), S_OK);
    LONG length = 0;
    groups->get_length(&length);
    ASSERT_EQ(length, 2);
    IXMLDOMNodePtr second;
    ASSERT_EQ(groups->get_item(1, &second), S_OK);
    EXPECT_EQ(TextOf(second), "Jazz");
    IXMLDOMNodePtr outside;
    EXPECT_EQ(groups->get_item(2, &outside), S_FALSE);

    IXMLDOMNodeListPtr children;
    ASSERT_EQ(root->get_childNodes(&children), S_OK);
    children->get_length(&length);
    EXPECT_EQ(length, 5);

    // Text nodes have no attribute map.
    IXMLDOMNodePtr text;
    ASSERT_EQ(Single(root, u"name")->get_firstChild(&text), S_OK);
    IXMLDOMNamedNodeMapPtr attributes;
    EXPECT_EQ(text->get_attributes(&attributes), S_FALSE);
    EXPECT_FALSE(attributes);
}

TEST(DomDocumentTest, WhiteSpaceIsKeptWhenAsked)
{
    IXMLDOMDocument2Ptr document = NewDocument();
    ASSERT_EQ(document->put_preserveWhiteSpace(VARIANT_TRUE), S_OK);
    ASSERT_EQ(Load(document, "<a>\n  <b> x </b>\n</a>"), S_OK);
    EXPECT_EQ(XmlOf(document), "<a>\n  <b> x </b>\n</a>\r\n");
    EXPECT_EQ(TextOf(Single(document, u"a/b")), " x ");
}

TEST(DomDocumentTest, NodesOutliveTheirDocumentAndItsReloads)
{
    IXMLDOMDocument2Ptr document = NewDocument();
    ASSERT_EQ(Load(document, "<a><b>first</b></a>"), S_OK);
    IXMLDOMNodePtr b = Single(document, u"a/b");
    IXMLDOMNodePtr text;
    ASSERT_EQ(b->get_firstChild(&text), S_OK);
    ASSERT_EQ(Load(document, "<c/>"), S_OK);
    EXPECT_EQ(TextOf(b), "first");

    // Setting text replaces the children; a node object of a replaced child stays readable.
    ASSERT_EQ(b->put_text(_bstr_t(u"<new> & Ä")), S_OK);
    EXPECT_EQ(XmlOf(b), "<b>&lt;new&gt; &amp; Ä</b>");
    EXPECT_EQ(TextOf(text), "first");
    document = nullptr;
    EXPECT_EQ(TextOf(b), "<new> & Ä");
}
