// The catalog objects and compaction, through the component model as the library's maintenance uses them.

#include "platform/ado/Adox.h"
#include "platform/ado/Jro.h"
#include "platform/ado/tests/AdoTestSupport.h"
#include "platform/base/Registry.h"

#include <filesystem>
#include <fstream>

using namespace adotest;

namespace {

const char* const kProvider = "Provider=Microsoft.JET.OLEDB.4.0;Data source=";

_bstr_t ConnectionText(const char* path) { return _bstr_t((std::string(kProvider) + path).c_str()); }

class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GE(CoInitialize(nullptr), 0);
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
    }

    // Creates "lib.mdb" with one table the way library creation builds its tables.
    void CreateLibrary(ADOX::_CatalogPtr& catalog)
    {
        ASSERT_EQ(catalog.CreateInstance(u"ADOX.Catalog"), S_OK);
        _variant_t connection;
        ASSERT_EQ(catalog->Create(ConnectionText("lib.mdb"), &connection), S_OK);
        ASSERT_EQ(connection.vt, VT_DISPATCH);

        ADOX::_TablePtr table;
        ASSERT_EQ(table.CreateInstance(u"ADOX.Table"), S_OK);
        table->put_Name(_bstr_t("tMusicMain"));
        table->putref_ParentCatalog(catalog);
        ADOX::ColumnsPtr columns;
        table->get_Columns(&columns);
        struct {
            const char* name;
            DataTypeEnum type;
            LONG size;
            const char* description;
        } fields[] = {
            { "QVCDID", ADOX::adInteger, 0, "Key" },
            { "Title", ADOX::adVarWChar, 255, "Album title" },
            { "TOC", ADOX::adLongVarWChar, 8192, "" },
            { "DeleteFlag", ADOX::adBoolean, 2, "Delete status" },
            { "TimeStamp", ADOX::adDate, 0, "Date that record was modified" },
        };
        for (const auto& f : fields) {
            ASSERT_EQ(columns->Append(_variant_t(f.name), f.type, f.size), S_OK);
            ADOX::_ColumnPtr column;
            ASSERT_EQ(columns->get_Item(_variant_t(f.name), &column), S_OK);
            ADOX::PropertiesPtr properties;
            column->get_Properties(&properties);
            ADOX::PropertyPtr property;
            if (std::string(f.name) == "QVCDID") {
                ASSERT_EQ(properties->get_Item(_variant_t("AutoIncrement"), &property), S_OK);
                ASSERT_EQ(property->put_Value(_variant_t(true)), S_OK);
            }
            if (*f.description) {
                ASSERT_EQ(properties->get_Item(_variant_t("Description"), &property), S_OK);
                ASSERT_EQ(property->put_Value(_variant_t(f.description)), S_OK);
            }
            if (f.type == ADOX::adVarWChar) {
                ASSERT_EQ(properties->get_Item(_variant_t("Jet OLEDB:Allow Zero Length"), &property), S_OK);
                ASSERT_EQ(property->put_Value(_variant_t(true)), S_OK);
            }
        }
        ADOX::_IndexPtr index;
        ASSERT_EQ(index.CreateInstance(u"ADOX.Index"), S_OK);
        index->put_Name(_bstr_t("NumIndex"));
        ADOX::ColumnsPtr indexColumns;
        index->get_Columns(&indexColumns);
        ASSERT_EQ(indexColumns->Append(_variant_t("QVCDID"), ADOX::adInteger, 0), S_OK);
        index->put_PrimaryKey(VARIANT_TRUE);
        index->put_Unique(VARIANT_TRUE);
        ADOX::IndexesPtr indexes;
        table->get_Indexes(&indexes);
        ASSERT_EQ(indexes->Append(_variant_t(static_cast<IDispatch*>(index.GetInterfacePtr())), vtMissing), S_OK);
        ASSERT_EQ(indexes->Append(_variant_t("TextIndex"), _variant_t("QVCDID")), S_OK);

        ADOX::TablesPtr tables;
        catalog->get_Tables(&tables);
        ASSERT_EQ(tables->Append(_variant_t(static_cast<IDispatch*>(table.GetInterfacePtr()))), S_OK);

        ADOX::ProceduresPtr procedures;
        catalog->get_Procedures(&procedures);
        for (const auto& [name, statement] : std::initializer_list<std::pair<const char*, const char*>> {
                 { "qAlbumbyId", "PARAMETERS qpId Long; SELECT tMusicMain.Title FROM tMusicMain WHERE tMusicMain.QVCDID=[qpId];" },
                 { "qMusicCoverArtList", "SELECT DISTINCT tMusicMain.QVCDID FROM tMusicMain;" },
                 { "qClear", "DELETE * FROM tMusicMain;" } }) {
            _CommandPtr command;
            ASSERT_EQ(command.CreateInstance(u"ADODB.Command"), S_OK);
            command->put_CommandText(_bstr_t(statement));
            ASSERT_EQ(procedures->Append(_bstr_t(name), command), S_OK) << name;
        }
    }

    static void CloseActiveConnection(ADOX::_Catalog* catalog)
    {
        _variant_t active;
        ASSERT_EQ(catalog->get_ActiveConnection(&active), S_OK);
        _ConnectionPtr connection(active);
        ASSERT_TRUE(connection);
        ASSERT_EQ(connection->Close(), S_OK);
    }
};

TEST_F(CatalogTest, CreateAppendReopenAndReadBack)
{
    ADOX::_CatalogPtr maker;
    CreateLibrary(maker);
    CloseActiveConnection(maker);

    ADOX::_CatalogPtr catalog;
    ASSERT_EQ(catalog.CreateInstance(ADOX::CLSID_Catalog), S_OK);
    ASSERT_EQ(catalog->put_ActiveConnection(_variant_t(ConnectionText("lib.mdb"))), S_OK);
    ADOX::TablesPtr tables;
    catalog->get_Tables(&tables);
    LONG count = 0;
    tables->get_Count(&count);
    EXPECT_EQ(count, 1); // the catalog's own tables are never listed
    ADOX::_TablePtr table;
    EXPECT_EQ(tables->get_Item(_variant_t("tNoSuchTable"), &table), static_cast<HRESULT>(0x800A0CC1u));
    ASSERT_EQ(tables->get_Item(_variant_t("tmusicmain"), &table), S_OK);

    ADOX::ColumnsPtr columns;
    table->get_Columns(&columns);
    const struct {
        const char* name;
        DataTypeEnum type;
        LONG size;
        const char* description;
        bool autoIncrement;
        bool zeroLength;
    } expected[] = {
        { "QVCDID", ADOX::adInteger, 0, "Key", true, false },
        { "Title", ADOX::adVarWChar, 255, "Album title", false, true },
        { "TOC", ADOX::adLongVarWChar, 8192, "", false, false },
        { "DeleteFlag", ADOX::adBoolean, 2, "Delete status", false, false },
        { "TimeStamp", ADOX::adDate, 0, "Date that record was modified", false, false },
    };
    for (LONG i = 0; i < 5; ++i) {
        const auto& e = expected[i];
        SCOPED_TRACE(e.name);
        ADOX::_ColumnPtr column;
        ASSERT_EQ(columns->get_Item(_variant_t(i), &column), S_OK);
        BSTR name = nullptr;
        column->get_Name(&name);
        EXPECT_STREQ(static_cast<const char*>(_bstr_t(name, false)), e.name);
        DataTypeEnum type = adEmpty;
        column->get_Type(&type);
        EXPECT_EQ(type, e.type);
        LONG size = -1;
        column->get_DefinedSize(&size);
        EXPECT_EQ(size, e.size);
        ADOX::PropertiesPtr properties;
        column->get_Properties(&properties);
        const auto property = [&](const char* which) {
            ADOX::PropertyPtr item;
            EXPECT_EQ(properties->get_Item(_variant_t(which), &item), S_OK);
            _variant_t value;
            item->get_Value(&value);
            return value;
        };
        EXPECT_STREQ(static_cast<const char*>(_bstr_t(property("description"))), e.description);
        EXPECT_EQ(static_cast<bool>(property("AutoIncrement")), e.autoIncrement);
        EXPECT_EQ(static_cast<bool>(property("Jet OLEDB:Allow Zero Length")), e.zeroLength);
    }

    ADOX::IndexesPtr indexes;
    table->get_Indexes(&indexes);
    indexes->get_Count(&count);
    EXPECT_EQ(count, 2);
    ADOX::_IndexPtr index;
    ASSERT_EQ(indexes->get_Item(_variant_t("NumIndex"), &index), S_OK);
    VARIANT_BOOL flag = VARIANT_FALSE;
    index->get_PrimaryKey(&flag);
    EXPECT_EQ(flag, VARIANT_TRUE);
    ASSERT_EQ(indexes->get_Item(_variant_t("TextIndex"), &index), S_OK);
    index->get_Unique(&flag);
    EXPECT_EQ(flag, VARIANT_FALSE);

    _variant_t created, modified;
    ASSERT_EQ(table->get_DateCreated(&created), S_OK);
    ASSERT_EQ(table->get_DateModified(&modified), S_OK);
    EXPECT_EQ(created.vt, VT_DATE);
    EXPECT_GE(modified.date, created.date);

    // Parameterless row queries are views; the others are procedures.
    ADOX::ProceduresPtr procedures;
    catalog->get_Procedures(&procedures);
    ADOX::ViewsPtr views;
    catalog->get_Views(&views);
    procedures->get_Count(&count);
    EXPECT_EQ(count, 2);
    ADOX::ProcedurePtr procedure;
    EXPECT_EQ(procedures->get_Item(_variant_t("qMusicCoverArtList"), &procedure), static_cast<HRESULT>(0x800A0CC1u));
    ASSERT_EQ(views->get_Item(_variant_t("qMusicCoverArtList"), &procedure), S_OK);
    ASSERT_EQ(procedures->get_Item(_variant_t("qAlbumbyId"), &procedure), S_OK);
    _variant_t commandValue;
    ASSERT_EQ(procedure->get_Command(&commandValue), S_OK);
    _CommandPtr command(commandValue);
    BSTR text = nullptr;
    command->get_CommandText(&text);
    EXPECT_NE(std::string(static_cast<const char*>(_bstr_t(text, false))).find("[qpId]"), std::string::npos);

    // A replaced statement gets a new modification date and runs at once.
    _variant_t before;
    procedure->get_DateModified(&before);
    _CommandPtr replacement;
    replacement.CreateInstance(CLSID_Command);
    replacement->put_CommandText(_bstr_t("PARAMETERS qpId Long; SELECT 'new' AS Expr1, [qpId] AS Expr2;"));
    ASSERT_EQ(procedure->putref_Command(replacement), S_OK);
    _variant_t after;
    procedure->get_DateModified(&after);
    EXPECT_GE(after.date, before.date);
    // Appending a name that is taken is refused and keeps the stored statement.
    EXPECT_LT(procedures->Append(_bstr_t("qMusicCoverArtList"), replacement), 0);
}

TEST_F(CatalogTest, ColumnsAppendedAndDeletedOnATableWithRows)
{
    ADOX::_CatalogPtr catalog;
    CreateLibrary(catalog);
    _variant_t active;
    catalog->get_ActiveConnection(&active);
    _ConnectionPtr connection(active);
    _RecordsetPtr none;
    ASSERT_EQ(connection->Execute(_bstr_t("INSERT INTO tMusicMain (Title, DeleteFlag) VALUES ('Blue', True)"), nullptr, adCmdText, &none), S_OK);

    ADOX::TablesPtr tables;
    catalog->get_Tables(&tables);
    ADOX::_TablePtr table;
    tables->get_Item(_variant_t("tMusicMain"), &table);
    _variant_t before;
    table->get_DateModified(&before);
    ADOX::ColumnsPtr columns;
    table->get_Columns(&columns);
    ASSERT_EQ(columns->Append(_variant_t("HideFlag"), ADOX::adBoolean, 2), S_OK);
    ASSERT_EQ(columns->Delete(_variant_t("TOC")), S_OK);
    ASSERT_EQ(columns->Delete(_variant_t("QVCDID")), S_OK); // the key and its indexes
    EXPECT_EQ(columns->Delete(_variant_t("QVCDID")), static_cast<HRESULT>(0x800A0CC1u));
    LONG count = 0;
    columns->get_Count(&count);
    EXPECT_EQ(count, 4);
    ADOX::IndexesPtr indexes;
    table->get_Indexes(&indexes);
    indexes->get_Count(&count);
    EXPECT_EQ(count, 0);
    _variant_t after;
    table->get_DateModified(&after);
    EXPECT_GE(after.date, before.date);

    _RecordsetPtr rows;
    ASSERT_EQ(connection->Execute(_bstr_t("SELECT Title, DeleteFlag, HideFlag FROM tMusicMain"), nullptr, adCmdText, &rows), S_OK);
    EXPECT_STREQ(static_cast<const char*>(_bstr_t(FieldValue(rows, _variant_t("Title")))), "Blue");
    EXPECT_EQ(FieldValue(rows, _variant_t("DeleteFlag")).boolVal, VARIANT_TRUE);
    EXPECT_EQ(FieldValue(rows, _variant_t("HideFlag")).boolVal, VARIANT_FALSE);
}

TEST_F(CatalogTest, CreateRefusesAnExistingFile)
{
    {
        std::ofstream existing("lib.mdb");
        existing << "precious";
    }
    ADOX::_CatalogPtr catalog;
    ASSERT_EQ(catalog.CreateInstance(u"ADOX.Catalog"), S_OK);
    _variant_t connection;
    EXPECT_LT(catalog->Create(ConnectionText("lib.mdb"), &connection), 0);
    std::ifstream file("lib.mdb");
    std::string text;
    file >> text;
    EXPECT_EQ(text, "precious");
}

TEST_F(CatalogTest, CompactionCopiesAndRefusesAnExistingDestination)
{
    ADOX::_CatalogPtr catalog;
    CreateLibrary(catalog);
    _variant_t active;
    catalog->get_ActiveConnection(&active);
    _ConnectionPtr connection(active);
    _RecordsetPtr none;
    connection->Execute(_bstr_t("INSERT INTO tMusicMain (Title) VALUES ('Blue')"), nullptr, adCmdText, &none);
    CloseActiveConnection(catalog);
    const auto sourceSize = std::filesystem::file_size("lib.mdb");

    JRO::IJetEnginePtr engine;
    ASSERT_EQ(engine.CreateInstance(JRO::CLSID_JetEngine), S_OK);
    ASSERT_EQ(engine->CompactDatabase(ConnectionText("lib.mdb"), ConnectionText("CompactDB.mdb")), S_OK);
    EXPECT_EQ(std::filesystem::file_size("lib.mdb"), sourceSize);
    {
        _ConnectionPtr compacted = OpenConnection("CompactDB.mdb");
        _RecordsetPtr rows;
        ASSERT_EQ(compacted->Execute(_bstr_t("qMusicCoverArtList"), nullptr, adCmdText, &rows), S_OK);
        EXPECT_EQ(FirstColumn(rows), std::vector<std::string> { "1" });
    }

    const auto destinationSize = std::filesystem::file_size("CompactDB.mdb");
    EXPECT_LT(engine->CompactDatabase(ConnectionText("lib.mdb"), ConnectionText("CompactDB.mdb")), 0);
    EXPECT_EQ(std::filesystem::file_size("CompactDB.mdb"), destinationSize);
    EXPECT_LT(engine->CompactDatabase(ConnectionText("missing.mdb"), ConnectionText("other.mdb")), 0);
    EXPECT_FALSE(std::filesystem::exists("other.mdb"));
    EXPECT_FALSE(std::filesystem::exists("missing.mdb"));
}

TEST_F(CatalogTest, CatalogVersionIsRegistered)
{
    char text[256] = {};
    LONG size = sizeof text;
    ASSERT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, "ADOX.Catalog\\CurVer", text, &size), ERROR_SUCCESS);
    const std::string version = text;
    ASSERT_EQ(version.rfind("ADOX.Catalog.", 0), 0u);
    EXPECT_GE(std::atof(version.substr(13).c_str()), 2.6);
}

} // namespace
