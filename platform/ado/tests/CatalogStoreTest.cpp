// Tables, counters, Yes/No coercion, rebuilds and stored queries as the catalog keeps them in the file.

#include "platform/ado/CatalogStore.h"
#include "platform/ado/Database.h"
#include "platform/ado/DbError.h"

#include <gtest/gtest.h>

using namespace platform::ado;

namespace {

TableDefinition PlaylistTable()
{
    TableDefinition table;
    table.name = "tPlaylists";
    table.columns = {
        { "PlaylistID", { adInteger, 0 }, true, false, "Key" },
        { "PlaylistName", { adVarWChar, 50 }, false, true, "Name" },
        { "ModifyFlag", { adBoolean, 2 }, false, false, "Modified status" },
        { "TimeStamp", { adDate, 0 }, false, false, "" },
    };
    table.indexes = { { "NumIndex", true, true, { "PlaylistID" } }, { "TextIndex", false, false, { "PlaylistID" } } };
    return table;
}

class CatalogStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = Database::Open("catalog.db", true);
        catalog = std::make_unique<CatalogStore>(*db);
        catalog->CreateTable(PlaylistTable());
    }

    std::int64_t Count(const char* jet) { return std::get<std::int64_t>(db->Execute(jet).rows.at(0).at(0)); }

    std::unique_ptr<Database> db;
    std::unique_ptr<CatalogStore> catalog;
};

TEST_F(CatalogStoreTest, YesNoValuesAreCoercedWhateverTheWritePath)
{
    struct Case {
        const char* what;
        const char* jet;
        std::vector<DbValue> parameters;
        std::int64_t stored;
    } cases[] = {
        { "insert builder's quoted -1", "INSERT INTO tPlaylists ([PlaylistName], [ModifyFlag]) VALUES (\"a\", \"-1\")", {}, -1 },
        { "insert builder's quoted 1", "INSERT INTO tPlaylists ([PlaylistName], [ModifyFlag]) VALUES (\"b\", \"1\")", {}, -1 },
        { "literal True", "INSERT INTO tPlaylists (PlaylistName, ModifyFlag) VALUES ('c', True)", {}, -1 },
        { "boolean bound as the integer 1", "INSERT INTO tPlaylists (PlaylistName, ModifyFlag) VALUES ('d', [qpFlag])", { DbValue(std::int64_t { 1 }) }, -1 },
        { "text 'true' in any case", "INSERT INTO tPlaylists (PlaylistName, ModifyFlag) VALUES ('e', [qpFlag])", { DbValue("TRUE") }, -1 },
        { "text 'false'", "INSERT INTO tPlaylists (PlaylistName, ModifyFlag) VALUES ('f', [qpFlag])", { DbValue("false") }, 0 },
        { "declared Bit given 7", "PARAMETERS qpFlag Bit; INSERT INTO tPlaylists (PlaylistName, ModifyFlag) SELECT 'g', [qpFlag]", { DbValue(std::int64_t { 7 }) }, -1 },
        { "Null", "INSERT INTO tPlaylists (PlaylistName, ModifyFlag) VALUES ('h', Null)", {}, 0 },
        { "no value", "INSERT INTO tPlaylists (PlaylistName) VALUES ('i')", {}, 0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        db->Execute(c.jet, c.parameters);
        const auto row = db->Execute("SELECT ModifyFlag FROM tPlaylists WHERE PlaylistID=" + std::to_string(db->LastInsertRowId()));
        EXPECT_EQ(row.rows.at(0).at(0), DbValue(c.stored));
        EXPECT_EQ(row.columns.at(0).type.type, adBoolean);
    }
    EXPECT_EQ(Count("SELECT COUNT(*) AS Expr1 FROM tPlaylists WHERE [ModifyFlag]=True"), 6);

    // Updates are coerced as well.
    db->Execute("UPDATE tPlaylists SET ModifyFlag = 'yes' WHERE PlaylistName = 'f'");
    db->Execute("UPDATE tPlaylists SET ModifyFlag = 0.0 WHERE PlaylistName = 'a'");
    EXPECT_EQ(Count("SELECT COUNT(*) FROM tPlaylists WHERE ModifyFlag=True"), 6);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM tPlaylists WHERE ModifyFlag <> -1 AND ModifyFlag <> 0"), 0);
}

TEST_F(CatalogStoreTest, CountersTakeExplicitValuesAndContinueAfterThem)
{
    db->Execute("INSERT INTO tPlaylists (PlaylistID, PlaylistName) VALUES ('40', 'explicit')");
    db->Execute("INSERT INTO tPlaylists (PlaylistName) VALUES ('next')");
    EXPECT_EQ(db->LastInsertRowId(), 41);
    EXPECT_EQ(Count("SELECT PlaylistID FROM tPlaylists WHERE PlaylistName='next'"), 41);

    TableDefinition list;
    list.name = "tGroupList";
    list.columns = { { "GroupListID", { adInteger, 0 }, true, false, "" }, { "GroupID", { adInteger, 0 }, false, false, "" } };
    catalog->CreateTable(list);
    db->Execute("INSERT INTO tGroupList (GroupID) VALUES (7)");
    db->Execute("INSERT INTO tGroupList (GroupListID, GroupID) VALUES (10, 8)");
    db->Execute("INSERT INTO tGroupList (GroupID) VALUES (9)");
    EXPECT_EQ(Count("SELECT GroupListID FROM tGroupList WHERE GroupID=7"), 1);
    EXPECT_EQ(Count("SELECT GroupListID FROM tGroupList WHERE GroupID=9"), 11);
}

TEST_F(CatalogStoreTest, ColumnsAppendedAndDeletedOnATableWithRowsKeepTheOtherValues)
{
    db->Execute("INSERT INTO tPlaylists (PlaylistName, ModifyFlag, [TimeStamp]) VALUES ('Road', True, 40000.5)");
    db->Execute("INSERT INTO tPlaylists (PlaylistName) VALUES ('Home')");
    const auto before = catalog->LoadTable("tplaylists").value();

    TableDefinition changed = before;
    changed.columns.push_back({ "HideFlag", { adBoolean, 2 }, false, false, "Hidden" });
    changed.columns.erase(changed.columns.begin() + 3); // TimeStamp
    catalog->AlterTable("tPlaylists", changed);

    const auto after = catalog->LoadTable("tPlaylists").value();
    ASSERT_EQ(after.columns.size(), 4u);
    EXPECT_EQ(after.columns[3].name, "HideFlag");
    EXPECT_EQ(after.columns[1].description, "Name");
    EXPECT_TRUE(after.columns[0].autoIncrement);
    EXPECT_EQ(after.indexes.size(), 2u);
    EXPECT_EQ(after.created, before.created);
    EXPECT_GE(after.modified, before.modified);
    const auto rows = db->Execute("SELECT PlaylistID, PlaylistName, ModifyFlag, HideFlag FROM tPlaylists ORDER BY PlaylistID").rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<DbValue> { std::int64_t { 1 }, std::string("Road"), std::int64_t { -1 }, std::int64_t { 0 } }));
    EXPECT_EQ(rows[1][0], DbValue(std::int64_t { 2 }));

    // The key column itself, with its indexes, deleted and appended again.
    changed = after;
    changed.columns.erase(changed.columns.begin());
    changed.indexes.clear();
    catalog->AlterTable("tPlaylists", changed);
    changed.columns.insert(changed.columns.begin(), { "PlaylistID", { adInteger, 0 }, false, false, "" });
    changed.indexes = { { "NumIndex", true, true, { "PlaylistID" } } };
    catalog->AlterTable("tPlaylists", changed);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM tPlaylists WHERE PlaylistName IN ('Road', 'Home')"), 2);

    // A definition SQLite refuses changes nothing.
    TableDefinition broken = changed;
    broken.columns.push_back(broken.columns[1]);
    EXPECT_THROW(catalog->AlterTable("tPlaylists", broken), DbError);
    EXPECT_EQ(catalog->LoadTable("tPlaylists")->columns.size(), changed.columns.size());
    EXPECT_EQ(Count("SELECT COUNT(*) FROM tPlaylists"), 2);
}

TEST_F(CatalogStoreTest, StoredQueriesAreViewsOrProceduresAndNeverTables)
{
    catalog->CreateQuery("qPlaylists", "SELECT * FROM tPlaylists;");
    catalog->CreateQuery("qRename", "PARAMETERS qpName Text ( 255 ), qpID Long; UPDATE tPlaylists SET tPlaylists.PlaylistName = [qpName] WHERE PlaylistID=[qpID];");
    catalog->CreateQuery("qByName", "SELECT * FROM tPlaylists WHERE PlaylistName=[qpName]");
    EXPECT_THROW(catalog->CreateQuery("QPLAYLISTS", "SELECT 1"), DbError);
    EXPECT_THROW(catalog->CreateQuery("tPlaylists", "SELECT 1"), DbError);
    EXPECT_THROW(catalog->CreateQuery("qBad", "SELECT 'open"), DbError);

    ASSERT_EQ(catalog->Queries(true).size(), 1u);
    EXPECT_EQ(catalog->Queries(true)[0].name, "qPlaylists");
    EXPECT_EQ(catalog->Queries(false).size(), 2u);
    const double created = catalog->FindQuery("qrename")->created;
    catalog->ReplaceQuery("qRename", "SELECT 2");
    EXPECT_EQ(catalog->FindQuery("qRename")->statement, "SELECT 2");
    EXPECT_GE(catalog->FindQuery("qRename")->modified, created);

    EXPECT_EQ(catalog->TableNames(), std::vector<std::string> { "tPlaylists" });
    EXPECT_THROW(catalog->CreateTable(PlaylistTable()), DbError);
}

} // namespace

TEST_F(CatalogStoreTest, AQueryLookedUpInATransactionFollowsEveryChangeOfIt)
{
    const std::string names = "SELECT PlaylistName FROM tPlaylists";
    const std::string keys = "SELECT PlaylistID FROM tPlaylists";
    catalog->CreateQuery("qNames", names);
    const auto statement = [&](CatalogStore& store) {
        const auto query = store.FindQuery("QNAMES");
        return query ? query->statement : std::string("(none)");
    };

    db->ExecuteNative("BEGIN");
    EXPECT_EQ(statement(*catalog), names);
    catalog->ReplaceQuery("qNames", keys);
    EXPECT_EQ(statement(*catalog), keys) << "changed through the catalog";
    db->ExecuteNative("SAVEPOINT file");
    db->QueryNative("UPDATE ts_catalog_queries SET statement='SELECT 1' WHERE name='qNames'");
    EXPECT_EQ(statement(*catalog), "SELECT 1") << "changed by a statement of its own";
    db->ExecuteNative("ROLLBACK TO file; RELEASE file");
    EXPECT_EQ(statement(*catalog), keys) << "a savepoint rolled back";
    catalog->DropQuery("qNames");
    EXPECT_EQ(statement(*catalog), "(none)");
    db->ExecuteNative("ROLLBACK");
    EXPECT_EQ(statement(*catalog), names) << "the transaction rolled back";

    // A transaction that only read ends without a commit of SQLite's; another connection then
    // changes the query before the next one.
    db->ExecuteNative("BEGIN");
    EXPECT_EQ(statement(*catalog), names);
    db->ExecuteNative("COMMIT");
    {
        auto other = Database::Open("catalog.db", false);
        CatalogStore(*other).ReplaceQuery("qNames", keys);
    }
    db->ExecuteNative("SAVEPOINT outer");
    EXPECT_EQ(statement(*catalog), keys) << "changed by another connection between transactions";
    db->ExecuteNative("RELEASE outer");
}
