// Connections, commands and record sets as the library's callers use them.

#include "platform/ado/AdoRecordBinding.h"
#include "platform/ado/tests/AdoTestSupport.h"

#include <filesystem>
#include <fstream>
#include <thread>

using namespace adotest;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeLibrary();
        connection = OpenConnection().GetInterfacePtr();
    }

    _RecordsetPtr Open(const char* source, LONG options, CursorTypeEnum cursor = adOpenStatic, LockTypeEnum lock = adLockOptimistic)
    {
        _RecordsetPtr recordset;
        EXPECT_EQ(recordset.CreateInstance(CLSID_Recordset), S_OK);
        recordset->put_CursorLocation(adUseServer);
        const HRESULT hr = recordset->Open(_variant_t(source), AsVariant(connection), cursor, lock, options);
        EXPECT_EQ(hr, S_OK) << source;
        return recordset;
    }

    _CommandPtr StoredQuery(const char* name)
    {
        _CommandPtr command;
        EXPECT_EQ(command.CreateInstance(CLSID_Command), S_OK);
        EXPECT_EQ(command->putref_ActiveConnection(connection), S_OK);
        EXPECT_EQ(command->put_CommandText(_bstr_t(name)), S_OK);
        return command;
    }

    void Append(_Command* command, DataTypeEnum type, const _variant_t& value)
    {
        _ParameterPtr parameter;
        ASSERT_EQ(command->CreateParameter(_bstr_t(""), type, adParamInput, -1, value, &parameter), S_OK);
        ParametersPtr parameters;
        ASSERT_EQ(command->get_Parameters(&parameters), S_OK);
        ASSERT_EQ(parameters->Append(parameter), S_OK);
    }

    _ConnectionPtr connection;
};

TEST_F(RecordsetTest, EveryKindOfOpen)
{
    struct Case {
        const char* source;
        LONG options;
        std::vector<std::string> titles;
    } cases[] = {
        { "SELECT Title FROM tMusicMain WHERE IsCD=False ORDER BY Title", adCmdText, { "Arrival", "Rose" } },
        { "qAlbumList", adCmdStoredProc, { "Blue", "Rose", "Arrival" } },
        { "qAlbumList", adCmdText, { "Blue", "Rose", "Arrival" } },
        { "qAlbumList", adCmdUnknown, { "Blue", "Rose", "Arrival" } },
        { "qAlbumList ORDER BY [Title] DESC", adCmdTable, { "Rose", "Blue", "Arrival" } },
        { "tMusicMain", adCmdTable, { "1", "2", "3" } },
        { "tMusicMain ORDER BY [Artist], Title DESC", adCmdTable, { "1", "3", "2" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        _RecordsetPtr recordset = Open(c.source, c.options);
        EXPECT_EQ(FirstColumn(recordset), c.titles);
    }

    _CommandPtr command = StoredQuery("qAlbumsByArtist");
    Append(command, adVarChar, _variant_t("ABBA"));
    _RecordsetPtr recordset;
    ASSERT_EQ(recordset.CreateInstance(CLSID_Recordset), S_OK);
    ASSERT_EQ(recordset->Open(_variant_t(static_cast<IDispatch*>(command.GetInterfacePtr())), vtMissing, adOpenStatic, adLockOptimistic, adCmdStoredProc), S_OK);
    EXPECT_EQ(FirstColumn(recordset), (std::vector<std::string> { "Arrival", "Blue" }));
}

TEST_F(RecordsetTest, ParametersBindByPositionWithTheirTypes)
{
    _CommandPtr command = StoredQuery("qAddAlbum");
    command->put_CommandType(adCmdStoredProc);
    Append(command, adVarWChar, _variant_t("Tango"));
    Append(command, adInteger, _variant_t(true)); // a Boolean handed over as an integer parameter
    _variant_t when(37040.75, VT_DATE);
    Append(command, adInteger, when); // a date given to an integer parameter keeps its time of day
    _variant_t affected;
    _RecordsetPtr result;
    ASSERT_EQ(command->Execute(&affected, nullptr, adCmdStoredProc, &result), S_OK);
    EXPECT_EQ(static_cast<LONG>(affected), 1);
    LONG state = -1;
    result->get_State(&state);
    EXPECT_EQ(state, adStateClosed);

    _RecordsetPtr identity = Open("SELECT @@IDENTITY", adCmdText);
    const _variant_t key = FieldValue(identity, _variant_t(LONG { 0 }));
    EXPECT_EQ(key.vt, VT_I4);
    EXPECT_EQ(static_cast<LONG>(key), 4);

    _RecordsetPtr row = Open("SELECT QVCDID, Title, IsCD, ModifyFlag, [TimeStamp], Note, (SELECT COUNT(*) FROM tMusicMain) AS Expr1, "
                             "DMax('QVCDID','tMusicMain') AS Expr2 FROM tMusicMain WHERE QVCDID=4",
        adCmdText);
    const struct {
        const char* field;
        VARTYPE vt;
    } types[] = { { "QVCDID", VT_I4 }, { "Title", VT_BSTR }, { "IsCD", VT_BOOL }, { "ModifyFlag", VT_BOOL }, { "TimeStamp", VT_DATE },
        { "Note", VT_NULL }, { "Expr1", VT_I4 }, { "Expr2", VT_I4 } };
    for (const auto& t : types)
        EXPECT_EQ(FieldValue(row, _variant_t(t.field)).vt, t.vt) << t.field;
    EXPECT_EQ(FieldValue(row, _variant_t("IsCD")).boolVal, VARIANT_TRUE);
    EXPECT_DOUBLE_EQ(FieldValue(row, _variant_t("TimeStamp")).date, 37040.75);
    EXPECT_EQ(static_cast<LONG>(FieldValue(row, _variant_t("Expr2"))), 4);

    // Too few values: a failed result and the provider's error in the connection's list.
    _CommandPtr missing = StoredQuery("qAlbumsByArtist");
    EXPECT_LT(missing->Execute(nullptr, nullptr, adCmdStoredProc, &result), 0);
    ErrorsPtr errors;
    ASSERT_EQ(connection->get_Errors(&errors), S_OK);
    LONG count = 0;
    errors->get_Count(&count);
    ASSERT_EQ(count, 1);
    ErrorPtr error;
    ASSERT_EQ(errors->get_Item(_variant_t(LONG { 0 }), &error), S_OK);
    BSTR description = nullptr;
    error->get_Description(&description);
    EXPECT_NE(std::string(static_cast<const char*>(_bstr_t(description, false))).find("parameters"), std::string::npos);
}

TEST_F(RecordsetTest, AddNewUpdateAndDeleteWriteTheTable)
{
    _RecordsetPtr recordset = Open("tMusicMain", adCmdTable, adOpenKeyset, adLockOptimistic);
    ASSERT_EQ(recordset->AddNew(vtMissing, vtMissing), S_OK);
    FieldsPtr fields;
    recordset->get_Fields(&fields);
    FieldPtr title, isCD;
    fields->get_Item(_variant_t("Title"), &title);
    fields->get_Item(_variant_t("IsCD"), &isCD);
    ASSERT_EQ(title->put_Value(_variant_t("Hymns")), S_OK);
    ASSERT_EQ(isCD->put_Value(_variant_t("true")), S_OK);
    ASSERT_EQ(recordset->Update(vtMissing, vtMissing), S_OK);
    EXPECT_EQ(static_cast<LONG>(FieldValue(recordset, _variant_t("QVCDID"))), 4);
    EXPECT_EQ(FieldValue(recordset, _variant_t("IsCD")).boolVal, VARIANT_TRUE);
    LONG count = 0;
    recordset->get_RecordCount(&count);
    EXPECT_EQ(count, 4);

    ASSERT_EQ(recordset->MoveFirst(), S_OK);
    ASSERT_EQ(title->put_Value(_variant_t("Blue (remastered)")), S_OK);
    ASSERT_EQ(recordset->MoveNext(), S_OK); // a move writes the pending change
    ASSERT_EQ(recordset->Delete(adAffectCurrent), S_OK);

    _RecordsetPtr check = Open("SELECT Title FROM tMusicMain ORDER BY QVCDID", adCmdText);
    EXPECT_EQ(FirstColumn(check), (std::vector<std::string> { "Blue (remastered)", "Arrival", "Hymns" }));

    // A read-only set refuses edits.
    _RecordsetPtr readOnly = Open("tMusicMain", adCmdTable, adOpenForwardOnly, adLockReadOnly);
    FieldsPtr readOnlyFields;
    readOnly->get_Fields(&readOnlyFields);
    FieldPtr readOnlyTitle;
    readOnlyFields->get_Item(_variant_t(LONG { 1 }), &readOnlyTitle);
    EXPECT_LT(readOnlyTitle->put_Value(_variant_t("x")), 0);
}

TEST_F(RecordsetTest, MovesGetRowsGetStringAndClose)
{
    _RecordsetPtr recordset = Open("SELECT QVCDID, Title, IsCD, [TimeStamp] FROM tMusicMain ORDER BY QVCDID", adCmdText);
    ASSERT_EQ(recordset->Move(2, _variant_t(LONG { adBookmarkFirst })), S_OK);
    EXPECT_EQ(static_cast<LONG>(FieldValue(recordset, _variant_t("QVCDID"))), 3);

    _variant_t rows;
    ASSERT_EQ(recordset->GetRows(adGetRowsRest, _variant_t(LONG { adBookmarkFirst }), vtMissing, &rows), S_OK);
    ASSERT_EQ(rows.vt, VT_ARRAY | VT_VARIANT);
    ASSERT_EQ(SafeArrayGetDim(rows.parray), 2u);
    LONG upper = 0;
    SafeArrayGetUBound(rows.parray, 1, &upper);
    EXPECT_EQ(upper, 3); // four fields
    SafeArrayGetUBound(rows.parray, 2, &upper);
    EXPECT_EQ(upper, 2); // three rows
    LONG indices[2] = { 1, 2 };
    _variant_t element;
    ASSERT_EQ(SafeArrayGetElement(rows.parray, indices, &element), S_OK);
    EXPECT_STREQ(static_cast<const char*>(_bstr_t(element)), "Arrival");
    VARIANT_BOOL eof = VARIANT_FALSE;
    recordset->get_EOF(&eof);
    EXPECT_EQ(eof, VARIANT_TRUE);

    ASSERT_EQ(recordset->MoveFirst(), S_OK);
    BSTR text = nullptr;
    ASSERT_EQ(recordset->GetString(adClipString, 2, _bstr_t(","), _bstr_t("\n"), _bstr_t(""), &text), S_OK);
    EXPECT_STREQ(static_cast<const char*>(_bstr_t(text, false)), "1,Blue,True,5/29/2001 10:30:00 AM\n2,Rose,False,\n");

    EXPECT_EQ(recordset->Close(), S_OK);
    EXPECT_EQ(recordset->Close(), static_cast<HRESULT>(0x800A0E78u));
    EXPECT_EQ(recordset->MoveNext(), static_cast<HRESULT>(0x800A0E78u));
}

TEST_F(RecordsetTest, SortCloneAndRequery)
{
    _RecordsetPtr recordset;
    ASSERT_EQ(recordset.CreateInstance(CLSID_Recordset), S_OK);
    recordset->put_CursorLocation(adUseClient);
    ASSERT_EQ(recordset->Open(_variant_t("qAlbumList"), AsVariant(connection), adOpenStatic, adLockOptimistic, adCmdTable), S_OK);
    ASSERT_EQ(recordset->put_Sort(_bstr_t("Title DESC")), S_OK);
    _RecordsetPtr clone;
    ASSERT_EQ(recordset->Clone(adLockUnspecified, &clone), S_OK);
    EXPECT_EQ(FirstColumn(recordset), (std::vector<std::string> { "Rose", "Blue", "Arrival" }));
    EXPECT_EQ(FirstColumn(clone), (std::vector<std::string> { "Rose", "Blue", "Arrival" }));
    EXPECT_LT(recordset->put_Sort(_bstr_t("NoSuchField")), 0);

    _RecordsetPtr unused;
    ASSERT_EQ(connection->Execute(_bstr_t("UPDATE tMusicMain SET Title='Zebra' WHERE QVCDID=3"), nullptr, adCmdText, &unused), S_OK);
    ASSERT_EQ(recordset->Requery(adOptionUnspecified), S_OK);
    EXPECT_EQ(FirstColumn(recordset), (std::vector<std::string> { "Zebra", "Rose", "Blue" }));
}

TEST_F(RecordsetTest, RowsetXmlOfASmallSet)
{
    _RecordsetPtr recordset = Open("SELECT QVCDID, Title, IsCD, [TimeStamp], Count(*) AS [Total Albums] FROM tMusicMain WHERE QVCDID < 3 "
                                   "GROUP BY QVCDID, Title, IsCD, [TimeStamp] ORDER BY QVCDID",
        adCmdText);
    ASSERT_EQ(recordset->Save(_variant_t("rows.xml"), adPersistXML), S_OK);
    EXPECT_LT(recordset->Save(_variant_t("rows.xml"), adPersistXML), 0); // never over an existing file
    std::ifstream file("rows.xml");
    const std::string xml((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(xml,
        "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
        "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
        "\txmlns:rs='urn:schemas-microsoft-com:rowset'\n"
        "\txmlns:z='#RowsetSchema'>\n"
        "<s:Schema id='RowsetSchema'>\n"
        "\t<s:ElementType name='row' content='eltOnly'>\n"
        "\t\t<s:AttributeType name='QVCDID' rs:number='1' rs:nullable='true' rs:writeunknown='true' rs:basetable='tMusicMain' rs:basecolumn='QVCDID'>\n"
        "\t\t\t<s:datatype dt:type='int' dt:maxLength='4' rs:precision='10' rs:fixedlength='true'/>\n"
        "\t\t</s:AttributeType>\n"
        "\t\t<s:AttributeType name='Title' rs:number='2' rs:nullable='true' rs:writeunknown='true' rs:basetable='tMusicMain' rs:basecolumn='Title'>\n"
        "\t\t\t<s:datatype dt:type='string' dt:maxLength='50'/>\n"
        "\t\t</s:AttributeType>\n"
        "\t\t<s:AttributeType name='IsCD' rs:number='3' rs:nullable='true' rs:writeunknown='true' rs:basetable='tMusicMain' rs:basecolumn='IsCD'>\n"
        "\t\t\t<s:datatype dt:type='boolean' dt:maxLength='2' rs:fixedlength='true'/>\n"
        "\t\t</s:AttributeType>\n"
        "\t\t<s:AttributeType name='TimeStamp' rs:number='4' rs:nullable='true' rs:writeunknown='true' rs:basetable='tMusicMain' rs:basecolumn='TimeStamp'>\n"
        "\t\t\t<s:datatype dt:type='dateTime' dt:maxLength='16' rs:dbtype='variantdate' rs:fixedlength='true'/>\n"
        "\t\t</s:AttributeType>\n"
        "\t\t<s:AttributeType name='Total_x0020_Albums' rs:name='Total Albums' rs:number='5' rs:nullable='true' rs:writeunknown='true'>\n"
        "\t\t\t<s:datatype dt:type='int' dt:maxLength='4' rs:precision='10' rs:fixedlength='true'/>\n"
        "\t\t</s:AttributeType>\n"
        "\t\t<s:extends type='rs:rowbase'/>\n"
        "\t</s:ElementType>\n"
        "</s:Schema>\n"
        "<rs:data>\n"
        "\t<z:row QVCDID='1' Title='Blue' IsCD='True' TimeStamp='2001-05-29T10:30:00' Total_x0020_Albums='1'/>\n"
        "\t<z:row QVCDID='2' Title='Rose' IsCD='False' Total_x0020_Albums='1'/>\n"
        "</rs:data>\n"
        "</xml>\n");
}

class TrackBinding : public CADORecordBinding {
    BEGIN_ADO_BINDING(TrackBinding)
    ADO_VARIABLE_LENGTH_ENTRY2(1, adVarWChar, m_title, sizeof(m_title), m_titleStatus, TRUE)
    ADO_FIXED_LENGTH_ENTRY(2, adBoolean, m_modified, m_modifiedStatus, TRUE)
    ADO_FIXED_LENGTH_ENTRY(3, adInteger, m_key, m_keyStatus, FALSE)
    ADO_FIXED_LENGTH_ENTRY(4, adDate, m_when, m_whenStatus, FALSE)
    END_ADO_BINDING()

public:
    WCHAR m_title[4] {};
    ULONG m_titleStatus { 99 };
    VARIANT_BOOL m_modified { 0 };
    ULONG m_modifiedStatus { 99 };
    LONG m_key { 0 };
    ULONG m_keyStatus { 99 };
    DATE m_when { 0 };
    ULONG m_whenStatus { 99 };
};

TEST_F(RecordsetTest, RecordBindingFollowsMovesAndWritesBack)
{
    _RecordsetPtr recordset = Open("SELECT Title, ModifyFlag, QVCDID, [TimeStamp] FROM tMusicMain ORDER BY QVCDID", adCmdText);
    IADORecordBindingPtr binding(recordset);
    ASSERT_TRUE(binding);
    TrackBinding row;
    ASSERT_EQ(binding->BindToRecordset(&row), S_OK);
    EXPECT_EQ(std::u16string(row.m_title), u"Blu"); // cut to the buffer
    EXPECT_EQ(row.m_titleStatus, ULONG { adFldOK });
    EXPECT_EQ(row.m_key, 1);
    EXPECT_EQ(row.m_modified, VARIANT_FALSE);

    ASSERT_EQ(recordset->MoveNext(), S_OK);
    EXPECT_EQ(std::u16string(row.m_title), u"Ros");
    EXPECT_EQ(row.m_key, 2);
    EXPECT_EQ(row.m_modified, VARIANT_TRUE);
    EXPECT_EQ(row.m_whenStatus, ULONG { adFldNull });

    std::u16string{ u"Mix" }.copy(row.m_title, 3);
    row.m_modified = VARIANT_TRUE;
    ASSERT_EQ(binding->Update(&row), S_OK);
    _RecordsetPtr check = Open("SELECT Title FROM tMusicMain WHERE QVCDID=2 AND ModifyFlag=True", adCmdText);
    EXPECT_EQ(FirstColumn(check), std::vector<std::string> { "Mix" });
}

TEST_F(RecordsetTest, YesNoWritePathsCountByTruthAndReadBackAsBooleans)
{
    _RecordsetPtr unused;
    ASSERT_EQ(connection->Execute(_bstr_t("UPDATE tMusicMain SET ModifyFlag = False"), nullptr, adCmdText, &unused), S_OK);
    // The insert builder writes numbers between double quotes.
    ASSERT_EQ(connection->Execute(_bstr_t("INSERT INTO tMusicMain ([Title], [ModifyFlag]) VALUES (\"a\", \"-1\")"), nullptr, adCmdText, &unused), S_OK);
    // A VT_BOOL bound as an integer.
    _CommandPtr command = StoredQuery("UPDATE tMusicMain SET ModifyFlag = [qpFlag] WHERE QVCDID = 1");
    command->put_CommandType(adCmdText);
    Append(command, adInteger, _variant_t(true));
    ASSERT_EQ(command->Execute(nullptr, nullptr, adCmdText, &unused), S_OK);
    // A field set to "true".
    _RecordsetPtr recordset = Open("SELECT * FROM tMusicMain WHERE QVCDID = 2", adCmdText, adOpenKeyset, adLockOptimistic);
    FieldsPtr fields;
    recordset->get_Fields(&fields);
    FieldPtr flag;
    fields->get_Item(_variant_t("ModifyFlag"), &flag);
    ASSERT_EQ(flag->put_Value(_variant_t("true")), S_OK);
    ASSERT_EQ(recordset->Update(vtMissing, vtMissing), S_OK);
    // A bound record with TRUE.
    _RecordsetPtr bound = Open("SELECT Title, ModifyFlag FROM tMusicMain WHERE QVCDID = 3", adCmdText, adOpenKeyset, adLockOptimistic);
    IADORecordBindingPtr binding(bound);
    TrackBinding row;
    binding->BindToRecordset(&row);
    row.m_modified = 1; // TRUE as the class library writes it
    ASSERT_EQ(binding->Update(&row), S_OK);

    _RecordsetPtr count = Open("SELECT COUNT(*) As Expr1 FROM tMusicMain WHERE [ModifyFlag]=True OR [IsCD]=2", adCmdText);
    const _variant_t total = FieldValue(count, _variant_t("Expr1"));
    EXPECT_EQ(total.vt, VT_I4);
    EXPECT_EQ(static_cast<LONG>(total), 4);
    _RecordsetPtr values = Open("SELECT ModifyFlag FROM tMusicMain", adCmdText);
    VARIANT_BOOL eof = VARIANT_FALSE;
    while (values->get_EOF(&eof) == S_OK && !eof) {
        const _variant_t value = FieldValue(values, _variant_t(LONG { 0 }));
        EXPECT_EQ(value.vt, VT_BOOL);
        EXPECT_EQ(value.boolVal, VARIANT_TRUE);
        values->MoveNext();
    }
}

TEST_F(RecordsetTest, TwoConnectionsOnOneFileAndOneConnectionFromTwoThreads)
{
    _ConnectionPtr second = OpenConnection();
    _RecordsetPtr unused;
    ASSERT_EQ(second->Execute(_bstr_t("UPDATE tMusicMain SET Title='Changed' WHERE QVCDID=1"), nullptr, adCmdText, &unused), S_OK);
    _RecordsetPtr seen = Open("SELECT Title FROM tMusicMain WHERE QVCDID=1", adCmdText);
    EXPECT_EQ(FirstColumn(seen), std::vector<std::string> { "Changed" });

    auto worker = [this](int base) {
        for (int i = 0; i < 50; ++i) {
            const std::string sql = "INSERT INTO tMusicMain (Title) VALUES ('t" + std::to_string(base + i) + "')";
            _RecordsetPtr none;
            EXPECT_EQ(connection->Execute(_bstr_t(sql.c_str()), nullptr, adCmdText, &none), S_OK);
            _RecordsetPtr rows;
            EXPECT_EQ(connection->Execute(_bstr_t("SELECT COUNT(*) FROM tMusicMain"), nullptr, adCmdText, &rows), S_OK);
        }
    };
    std::thread a(worker, 0), b(worker, 1000);
    a.join();
    b.join();
    _RecordsetPtr count = Open("SELECT COUNT(*) FROM tMusicMain", adCmdText);
    EXPECT_EQ(static_cast<LONG>(FieldValue(count, _variant_t(LONG { 0 }))), 103);

    EXPECT_EQ(connection->Close(), S_OK);
    LONG state = -1;
    connection->get_State(&state);
    EXPECT_EQ(state, adStateClosed);
    EXPECT_EQ(connection->Close(), static_cast<HRESULT>(0x800A0E78u));
}

TEST(ConnectionTest, MissingOrBrokenFilesAreErrors)
{
    MakeLibrary();
    {
        std::ofstream junk("junk.mdb");
        junk << "not a database at all, just some text that fills more than a header would need............";
    }
    for (const char* source : { "Data Source=missing.mdb", "Data Source=junk.mdb", "Provider=x" }) {
        SCOPED_TRACE(source);
        _ConnectionPtr connection;
        ASSERT_EQ(connection.CreateInstance(CLSID_Connection), S_OK);
        EXPECT_LT(connection->Open(_bstr_t(source), nullptr, nullptr, adOptionUnspecified), 0);
        LONG state = -1;
        connection->get_State(&state);
        EXPECT_EQ(state, adStateClosed);
    }
    EXPECT_FALSE(std::filesystem::exists("missing.mdb"));
    BSTR version = nullptr;
    _ConnectionPtr connection = OpenConnection();
    ASSERT_EQ(connection->get_Version(&version), S_OK);
    EXPECT_GE(std::atof(static_cast<const char*>(_bstr_t(version, false))), 2.6);
}

} // namespace
