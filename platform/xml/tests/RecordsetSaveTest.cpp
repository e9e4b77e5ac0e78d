// A record set saves itself into a document through the document's loadXML, reached by name, and
// the document then answers the rowset paths the stylesheets and steps use.

#include <gtest/gtest.h>

#include "platform/ado/Ado.h"
#include "platform/ado/Adox.h"
#include "platform/xml/tests/XmlTestSupport.h"

using namespace xmltest;

namespace {

// A new library file with a small table; the rows of sql over it.
_RecordsetPtr OpenRows(const char* file, const char* sql, const char* extraRow = nullptr)
{
    EXPECT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
    ADOX::_CatalogPtr catalog;
    EXPECT_EQ(catalog.CreateInstance(ADOX::CLSID_Catalog), S_OK);
    _variant_t connectionValue;
    EXPECT_EQ(catalog->Create(_bstr_t((std::string("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + file).c_str()),
                  &connectionValue),
        S_OK);
    _ConnectionPtr connection(connectionValue);
    EXPECT_TRUE(connection);
    _RecordsetPtr unused;
    for (const char* statement : {
             "CREATE TABLE tAlbum (AlbumID LONG, Title TEXT(50), IsCD YESNO, Note TEXT(50))",
             "INSERT INTO tAlbum (AlbumID, Title, IsCD, Note) VALUES (1, 'Björk & <Ø>', True, Null)",
             "INSERT INTO tAlbum (AlbumID, Title, IsCD, Note) VALUES (2, 'Rose', False, 'n')",
         })
        EXPECT_EQ(connection->Execute(_bstr_t(statement), nullptr, adCmdText, &unused), S_OK) << statement;
    if (extraRow) {
        EXPECT_EQ(connection->Execute(_bstr_t(extraRow), nullptr, adCmdText, &unused), S_OK) << extraRow;
    }
    _RecordsetPtr rows;
    EXPECT_EQ(rows.CreateInstance(CLSID_Recordset), S_OK);
    EXPECT_EQ(rows->Open(_variant_t(sql), _variant_t(static_cast<IDispatch*>(connection)), adOpenStatic, adLockReadOnly,
                  adCmdText),
        S_OK);
    return rows;
}

} // namespace

TEST(RecordsetSaveTest, RowsGoIntoTheDocument)
{
    IXMLDOMDocument2Ptr document = NewDocument();
    _RecordsetPtr rows = OpenRows("saved.mdb", "SELECT AlbumID, Title, IsCD, Note FROM tAlbum ORDER BY AlbumID");
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->Save(_variant_t(static_cast<IDispatch*>(document)), adPersistXML), S_OK);

    IXMLDOMNodeListPtr found;
    ASSERT_EQ(document->selectNodes(_bstr_t(u"xml/rs:data/z:row"), &found), S_OK);
    LONG length = 0;
    found->get_length(&length);
    ASSERT_EQ(length, 2);
    IXMLDOMNodePtr first;
    ASSERT_EQ(found->get_item(0, &first), S_OK);
    IXMLDOMElementPtr row(first);
    ASSERT_TRUE(row);
    _variant_t title, isCD, note;
    EXPECT_EQ(row->getAttribute(_bstr_t(u"Title"), &title), S_OK);
    EXPECT_EQ(platform::Utf16ToUtf8(title.bstrVal), "Björk & <Ø>");
    EXPECT_EQ(row->getAttribute(_bstr_t(u"IsCD"), &isCD), S_OK);
    EXPECT_EQ(platform::Utf16ToUtf8(isCD.bstrVal), "True");
    EXPECT_EQ(row->getAttribute(_bstr_t(u"Note"), &note), S_FALSE);
    EXPECT_EQ(note.vt, VT_NULL);
    IXMLDOMNodePtr schema;
    EXPECT_EQ(document->selectSingleNode(_bstr_t(u"xml/s:Schema"), &schema), S_OK);
}

TEST(RecordsetSaveTest, ADocumentThatRefusesTheTextFailsTheSave)
{
    // A control character cannot stand in XML 1.0, so the document refuses the rowset text; the
    // save must then fail and leave the document as it was, not report success.
    IXMLDOMDocument2Ptr document = NewDocument();
    ASSERT_EQ(Load(document, "<before/>"), S_OK);
    _RecordsetPtr rows = OpenRows("refused.mdb", "SELECT Title FROM tAlbum",
        "INSERT INTO tAlbum (AlbumID, Title, IsCD) VALUES (3, 'bell\x07', False)");
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->Save(_variant_t(static_cast<IDispatch*>(document)), adPersistXML), E_FAIL);
    EXPECT_EQ(XmlOf(document), "<before/>\r\n");

    // Something that is no document at all is refused too.
    IXMLDOMElementPtr root;
    ASSERT_EQ(document->get_documentElement(&root), S_OK);
    EXPECT_LT(rows->Save(_variant_t(static_cast<IDispatch*>(root)), adPersistXML), 0);
}
