// Library files made, upgraded, emptied and compacted by the maintenance helper, checked through the
// data-access layer's own catalog.

#include "library/LookupTables.h"
#include "library/RegistryRoutines.h"
#include "library/StoredQueryCatalogue.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADODatabaseHelper.h"
#include "library/tests/support/AppFixture.h"
#include "library/tests/support/LibraryFile.h"
#include "library/tests/support/MessageBoxRecorder.h"
#include "library/tests/support/NewLibrary.h"
#include "library/tests/support/TestFolder.h"

#include "platform/base/FileApi.h"
#include "platform/base/PathApi.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

using platform::ado::CatalogStore;
using platform::ado::Database;

namespace {

class DatabaseHelper : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_EQ(platform::EnsureDataAccessRegistered(), S_OK);
        m_folder = testing_support::CurrentDirectory();
    }

    std::string PathOf(const char* relative) const { return m_folder + "\\" + relative; }

    static std::unique_ptr<Database> OpenNative(const std::string& path)
    {
        return Database::Open(platform::ToNativePath(path), false);
    }

    static long Count(Database& db, const std::string& sql)
    {
        const auto result = db.QueryNative(sql);
        return static_cast<long>(std::get<std::int64_t>(result.rows.at(0).at(0)));
    }

    static std::string ReadFile(const std::string& path)
    {
        FILE* file = platform::OpenFile(path.c_str(), "rb");
        if (file == nullptr)
            return "<missing>";
        std::string content;
        char buffer[256];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            content.append(buffer, n);
        std::fclose(file);
        return content;
    }

    static void WriteFile(const std::string& path, const std::string& content)
    {
        FILE* file = platform::OpenFile(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(content.c_str(), file);
        std::fclose(file);
    }

    std::string m_folder;
    MessageBoxRecorder m_boxes;
};

// Parameter values for a stored query: its declared parameters by type, then the undeclared ones in
// the order they first occur.
std::vector<_variant_t> ParametersFor(const StoredQueryEntry& entry)
{
    std::vector<_variant_t> values;
    const std::string statement = entry.statement;
    if (std::string(entry.name) == "qGetLastAutonumber")
        return { _variant_t("QVCDID"), _variant_t("tMusicMain") };
    std::set<std::string> declared;
    if (statement.rfind("PARAMETERS", 0) == 0) {
        const std::string clause = statement.substr(10, statement.find(';') - 10);
        std::stringstream parts(clause);
        std::string part;
        while (std::getline(parts, part, ',')) {
            std::stringstream words(part);
            std::string name, type;
            words >> name >> type;
            declared.insert(name);
            if (type == "Long")
                values.emplace_back(1L);
            else if (type == "DateTime")
                values.emplace_back(37000.5, VT_DATE);
            else if (type == "Bit")
                values.emplace_back(true);
            else
                values.emplace_back("x");
        }
    }
    std::set<std::string> seen;
    for (std::size_t at = statement.find("[qp"); at != std::string::npos; at = statement.find("[qp", at + 1)) {
        const std::size_t end = statement.find(']', at);
        const std::string name = statement.substr(at + 1, end - at - 1);
        if (declared.count(name) == 0 && seen.insert(name).second)
            values.emplace_back("x");
    }
    return values;
}

} // namespace

TEST_F(DatabaseHelper, NewLibraryIsComplete)
{
    const std::string path = PathOf("Libs\\Aldercrest\\Den\\Database\\Tune Steward.mdb");
    _ADODatabaseHelper helper;
    ASSERT_TRUE(helper.CreateLibraryDatabase(path.c_str())); // the parents are made first
    EXPECT_TRUE(m_boxes.Texts().empty());

    auto db = OpenNative(path);
    CatalogStore catalog(*db);
    std::vector<std::string> expectedTables;
    for (const SchemaTable& table : LibrarySchemaTable)
        expectedTables.emplace_back(table.name);
    EXPECT_EQ(catalog.TableNames(), expectedTables);

    const auto music = catalog.LoadTable("tMusicMain");
    ASSERT_TRUE(music.has_value());
    ASSERT_EQ(music->indexes.size(), 3u); // the key's two, and the look-up by title
    EXPECT_EQ(music->indexes[0].name, "NumIndex");
    EXPECT_TRUE(music->indexes[0].primaryKey && music->indexes[0].unique);
    EXPECT_EQ(music->indexes[0].columns, std::vector<std::string> { "QVCDID" });
    EXPECT_EQ(music->indexes[1].name, "TextIndex");
    EXPECT_FALSE(music->indexes[1].primaryKey || music->indexes[1].unique);
    EXPECT_EQ(music->indexes[1].columns, std::vector<std::string> { "QVCDID" });
    EXPECT_EQ(music->indexes[2].columns, std::vector<std::string> { "Title" });
    EXPECT_TRUE(catalog.LoadTable("tGroupList")->indexes.empty());

    // Column properties as the schema gives them: counters count, only texts take empty values.
    for (const auto& column : music->columns) {
        if (column.name == "QVCDID") {
            EXPECT_TRUE(column.autoIncrement);
        }
        if (column.name == "Artist") {
            EXPECT_TRUE(column.allowZeroLength);
            EXPECT_EQ(column.type.definedSize, 255);
            EXPECT_EQ(column.description, "The Artist name");
        }
        if (column.name == "TOC") {
            EXPECT_FALSE(column.allowZeroLength);
            EXPECT_EQ(column.type.type, adLongVarWChar);
        }
    }

    std::set<std::string> queries;
    for (const bool views : { false, true }) {
        for (const auto& query : catalog.Queries(views)) {
            queries.insert(query.name);
            EXPECT_GT(query.modified, 0.0) << query.name;
        }
    }
    std::set<std::string> expectedQueries;
    for (const StoredQueryEntry& entry : StoredQueryCatalogue)
        expectedQueries.insert(entry.name);
    EXPECT_EQ(queries, expectedQueries);

    const std::pair<const char*, long> rows[] = { { "tLookupGenre", 15 }, { "tLookupMaritalStatus", 4 },
        { "tLookupMovieRating", 10 }, { "tLookupTimeZone", 9 }, { "tLookupSubGenre", 270 }, { "tLookupRadioGenre", 18 } };
    for (const auto& [table, count] : rows)
        EXPECT_EQ(Count(*db, std::string("SELECT COUNT(*) FROM ") + table), count) << table;
    const auto genres = db->QueryNative("SELECT QVGenreID FROM tLookupGenre ORDER BY rowid");
    std::vector<std::int64_t> keys;
    for (const auto& row : genres.rows)
        keys.push_back(std::get<std::int64_t>(row[0]));
    EXPECT_EQ(keys, (std::vector<std::int64_t> { 2, 3, 4, 23, 15, 6, 9, 22, 10, 11, 20, 13, 12, 14, 16 }));
    EXPECT_EQ(Count(*db, "SELECT MAX(QVSubGenreID) FROM tLookupSubGenre"), 270);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tLookupSubGenre WHERE Alias <> 0"), 22);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tLookupSubGenre WHERE SubGenreText = 'Jwwish/Israeli' AND QVSubGenreID = 86"), 1);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tLookupSubGenre WHERE SubGenreText = 'Industial' AND GenreID = 21"), 1);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tLookupTimeZone WHERE \"Daylight Savings\" = -1"), 4);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tLookupTimeZone WHERE GMT = -10 AND TimeZoneName = 'Hawaii'"), 1);
}

TEST_F(DatabaseHelper, EveryStoredQueryRunsOnANewLibrary)
{
    const std::string path = PathOf("lib.mdb");
    ASSERT_TRUE(_ADODatabaseHelper().CreateLibraryDatabase(path.c_str()));
    _ADOConnectionHelper connection;
    ASSERT_TRUE(connection.OpenDatabase(path.c_str()));
    for (const StoredQueryEntry& entry : StoredQueryCatalogue) {
        const std::vector<_variant_t> values = ParametersFor(entry);
        std::string body = entry.statement;
        if (body.rfind("PARAMETERS", 0) == 0)
            body = body.substr(body.find(';') + 1);
        body.erase(0, body.find_first_not_of(" \t"));
        const bool rows = body.rfind("SELECT", 0) == 0;
        EXPECT_TRUE(connection.RunStoredQuery(entry.name, values.data(), static_cast<int>(values.size()), nullptr, nullptr,
            rows ? adCmdTable : adCmdUnknown))
            << entry.name;
    }
    EXPECT_TRUE(m_boxes.Texts().empty()) << m_boxes.Texts().front();
}

TEST_F(DatabaseHelper, CatalogVersionIsChecked)
{
    const char* const base = "HKEY_CLASSES_ROOT\\ADOX.Catalog\\";
    const std::string path = PathOf("v\\lib.mdb");
    for (const char* version : { "ADOX.Catalog.2.1", "" }) {
        if (*version != '\0')
            ASSERT_TRUE(WriteRegistryValue(version, "", "CurVer", base));
        else
            ASSERT_TRUE(DeleteRegistryKey("CurVer", nullptr, base));
        m_boxes.Clear();
        EXPECT_FALSE(_ADODatabaseHelper().CreateLibraryDatabase(path.c_str())) << version;
        ASSERT_EQ(m_boxes.Texts().size(), 1u);
        EXPECT_EQ(m_boxes.Texts()[0], "The Microsoft ADO Component must be upgraded to version 2.6 or newer");
        EXPECT_EQ(GetFileAttributes(path.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    ASSERT_TRUE(WriteRegistryValue("ADOX.Catalog.2.5", "", "CurVer", base));
    EXPECT_TRUE(_ADODatabaseHelper().CreateLibraryDatabase(path.c_str()));
}

TEST_F(DatabaseHelper, CreationRefusesWhatItCannotMake)
{
    const std::string existing = PathOf("existing.mdb");
    WriteFile(existing, "keep");
    EXPECT_FALSE(_ADODatabaseHelper().CreateLibraryDatabase(existing.c_str()));
    EXPECT_EQ(ReadFile(existing), "keep");

    WriteFile(PathOf("blocker"), "");
    EXPECT_FALSE(_ADODatabaseHelper().CreateLibraryDatabase(PathOf("blocker\\sub\\lib.mdb").c_str()));
    EXPECT_EQ(ReadFile(PathOf("blocker")), "");
}

namespace {

// What an upgrade may change, for comparing two upgrades.
std::string Snapshot(const std::string& path)
{
    auto db = Database::Open(platform::ToNativePath(path), false);
    CatalogStore catalog(*db);
    std::ostringstream out;
    for (const std::string& name : catalog.TableNames()) {
        const auto table = catalog.LoadTable(name);
        out << name << ":";
        for (const auto& c : table->columns)
            out << " " << c.name << "/" << c.type.type << "/" << c.type.definedSize << "/" << c.autoIncrement << c.allowZeroLength
                << "/" << c.description;
        for (const auto& i : table->indexes)
            out << " [" << i.name << "]";
        out << "\n";
    }
    for (const bool views : { false, true }) {
        for (const auto& query : catalog.Queries(views))
            out << query.name << "=" << query.statement << "\n";
    }
    out << "rows " << std::get<std::int64_t>(db->QueryNative("SELECT COUNT(*) FROM tMusicMain").rows[0][0]);
    return out.str();
}

} // namespace

TEST_F(DatabaseHelper, UpgradeRenewsAnOlderFile)
{
    const std::string path = PathOf("old.mdb");
    {
        auto db = Database::Open(platform::ToNativePath(path), true);
        // One transaction: the file is made in one write rather than one per table and query.
        db->ExecuteNative("BEGIN");
        CatalogStore catalog(*db);
        for (const SchemaTable& schema : LibrarySchemaTable) {
            const std::string name = schema.name;
            if (name == "tLookupRadioGenre")
                continue; // missing in the old file
            auto table = testing_support::TableOf(schema);
            auto& columns = table.columns;
            if (name == "tMusicMain") {
                columns.pop_back(); // no HideFlag yet
                for (auto& c : columns) {
                    if (c.name == "Artist")
                        c.type = { adInteger, 0 }; // a text stored as a number
                }
            }
            if (name == "tGroup")
                columns.push_back({ "Obsolete", { adVarWChar, 50 }, false, true, "" });
            if (name == "tGroupList") {
                for (auto& c : columns) {
                    if (c.name == "GroupListID")
                        c.autoIncrement = false; // a counter that lost its property
                }
            }
            if (name == "tFileDesc")
                columns.push_back({ "Extra", { adVarWChar, 50 }, false, true, "" });
            catalog.CreateTable(table);
        }
        for (const StoredQueryEntry& entry : StoredQueryCatalogue) {
            const std::string name = entry.name;
            if (name == "qNewCDs")
                continue; // left out of the upgrade: stays missing
            std::string statement = entry.statement;
            if (name == "qAlbumbyId")
                statement = "PARAMETERS qpId Long; SELECT [qpId] AS Old;";
            if (name == "qAlbumTitleList" || name == "qNewMP3s" || name == "qAddPlaylist")
                statement = "SELECT 'old' AS Old;";
            catalog.CreateQuery(name, statement);
        }
        db->ExecuteNative("INSERT INTO tMusicMain (Title, Artist) VALUES ('Kept', 5)");
        db->ExecuteNative("INSERT INTO tGroup (GroupName, Obsolete) VALUES ('Rock', 'gone')");
        // The file's dates: everything last changed long before the schema, except tFileDesc, changed
        // after its schema date, and qAddPlaylist, changed late on the day of its entry.
        const double longAgo = 36892.0; // 01/01/2001
        db->ExecuteNative("UPDATE ts_catalog_tables SET modified = " + std::to_string(longAgo));
        db->ExecuteNative("UPDATE ts_catalog_tables SET modified = 37622.0 WHERE name = 'tFileDesc'"); // 01/01/2003
        db->ExecuteNative("UPDATE ts_catalog_queries SET modified = " + std::to_string(longAgo));
        db->ExecuteNative("UPDATE ts_catalog_queries SET modified = 37040.9 WHERE name = 'qAddPlaylist'"); // 05/29/2001 21:36
        db->ExecuteNative("COMMIT");
    }

    ASSERT_TRUE(_ADODatabaseHelper().UpgradeLibraryDatabase(path.c_str()));
    const std::string once = Snapshot(path);
    {
        auto db = Database::Open(platform::ToNativePath(path), false);
        CatalogStore catalog(*db);
        const auto music = catalog.LoadTable("tMusicMain");
        ASSERT_EQ(music->columns.back().name, "HideFlag");
        EXPECT_EQ(music->columns.back().type.type, adBoolean);
        EXPECT_EQ(music->columns.back().description, "Set for music that should not appear in UI");
        EXPECT_EQ(std::get<std::string>(db->QueryNative("SELECT Title FROM tMusicMain").rows.at(0).at(0)), "Kept");
        for (const auto& c : music->columns) {
            if (c.name == "Artist") {
                EXPECT_EQ(c.type.type, adVarWChar);
                EXPECT_TRUE(c.allowZeroLength); // made again as a new file has it
            }
        }
        EXPECT_TRUE(platform::ado::IsNull(db->QueryNative("SELECT Artist FROM tMusicMain").rows.at(0).at(0)));
        const auto group = catalog.LoadTable("tGroup");
        for (const auto& c : group->columns)
            EXPECT_NE(c.name, "Obsolete");
        const auto groupList = catalog.LoadTable("tGroupList");
        for (const auto& c : groupList->columns) {
            if (c.name == "GroupListID") {
                EXPECT_TRUE(c.autoIncrement);
            }
        }
        EXPECT_EQ(catalog.LoadTable("tFileDesc")->columns.back().name, "Extra"); // not examined
        const auto radio = catalog.LoadTable("tLookupRadioGenre");
        ASSERT_TRUE(radio.has_value());
        EXPECT_EQ(radio->indexes.size(), 2u);
        EXPECT_EQ(std::get<std::int64_t>(db->QueryNative("SELECT COUNT(*) FROM tLookupRadioGenre").rows[0][0]), 0);

        const auto statementOf = [&catalog](const char* name) {
            const auto query = catalog.FindQuery(name);
            return query ? query->statement : std::string("<missing>");
        };
        const auto entry = [](const char* name) {
            for (const StoredQueryEntry& e : StoredQueryCatalogue) {
                if (std::string(e.name) == name)
                    return std::string(e.statement);
            }
            return std::string();
        };
        EXPECT_EQ(statementOf("qAlbumbyId"), entry("qAlbumbyId"));
        EXPECT_EQ(statementOf("qAlbumTitleList"), entry("qAlbumTitleList")); // a view is renewed too
        EXPECT_EQ(statementOf("qAddPlaylist"), "SELECT 'old' AS Old;"); // changed on its entry's day
        EXPECT_EQ(statementOf("qNewMP3s"), "SELECT 'old' AS Old;");
        EXPECT_EQ(statementOf("qNewCDs"), "<missing>");
    }

    ASSERT_TRUE(_ADODatabaseHelper().UpgradeLibraryDatabase(path.c_str()));
    EXPECT_EQ(Snapshot(path), once);
    EXPECT_TRUE(m_boxes.Texts().empty());
}

// The look-ups the program makes for every track it reads or imports must find their rows through an
// index: without one, SQLite builds a temporary index over every track for each read of an album's
// tracks, and the import's check of a file's path and look-up of its album read the whole tables, so
// an import grows with the square of the library. Files of earlier versions gain the indexes on
// upgrade and keep their rows.
TEST_F(DatabaseHelper, LookUpsByAlbumPathAndTitleAreFoundThroughIndexes)
{
    const char* const lookUps[] = {
        "SELECT tMusicTracks.TrackTitle FROM tMusicTracks WHERE tMusicTracks.QVCDID = 7",
        "SELECT tMusicTracks.AlbumTrackID FROM tMusicTracks WHERE tMusicTracks.FilePath = 'Music\\a.mp3' AND tMusicTracks.DeleteFlag <> True",
        "SELECT tMusicMain.QVCDID FROM tMusicMain WHERE tMusicMain.Title = 'Kept' AND tMusicMain.Artist = 'Band'",
    };
    const auto unindexed = [&](const std::string& path) {
        auto db = OpenNative(path);
        std::string missing;
        for (const char* lookUp : lookUps) {
            std::string steps;
            for (const auto& row : db->QueryNative("EXPLAIN QUERY PLAN " + db->Translate(lookUp).sql).rows)
                steps += std::get<std::string>(row.back()) + "; ";
            if (steps.find("USING INDEX") == std::string::npos)
                missing += std::string(lookUp) + " -> " + steps + "\n";
        }
        return missing;
    };
    const std::string created = PathOf("new.mdb");
    ASSERT_TRUE(_ADODatabaseHelper().CreateLibraryDatabase(created.c_str()));
    EXPECT_EQ(unindexed(created), "");

    const std::string old = PathOf("old.mdb");
    testing_support::MakeLibraryFile(old, true); // as earlier versions made it: the key's indexes only
    {
        auto db = OpenNative(old);
        db->ExecuteNative("INSERT INTO tMusicMain (QVCDID, Title) VALUES (7, 'Kept')");
        for (int track = 1; track <= 3; ++track)
            db->ExecuteNative("INSERT INTO tMusicTracks (QVCDID, TrackNumber, TrackTitle, DeleteFlag) VALUES (7, "
                + std::to_string(track) + ", 'T', 0)");
    }
    ASSERT_NE(unindexed(old), "");
    ASSERT_TRUE(_ADODatabaseHelper().UpgradeLibraryDatabase(old.c_str()));
    EXPECT_EQ(unindexed(old), "");

    _ADOConnectionHelper connection;
    ASSERT_TRUE(connection.OpenDatabase(old.c_str()));
    const _variant_t album(7L);
    EXPECT_EQ(static_cast<long>(connection.RunStoredQueryScalar("qTrackCntInAlbum", &album, 1, adCmdStoredProc)), 3);
    EXPECT_TRUE(m_boxes.Texts().empty());
}

TEST_F(DatabaseHelper, UpgradeOfAFileThatIsNotThere)
{
    EXPECT_FALSE(_ADODatabaseHelper().UpgradeLibraryDatabase(PathOf("missing.mdb").c_str()));
    EXPECT_EQ(GetFileAttributes(PathOf("missing.mdb").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DatabaseHelper, DamagedFileIsLeftAsItWas)
{
    const std::string path = PathOf("damaged.mdb");
    WriteFile(path, "this is no library");
    EXPECT_FALSE(_ADODatabaseHelper().UpgradeLibraryDatabase(path.c_str()));
    EXPECT_FALSE(_ADODatabaseHelper().EmptyLibrary(path.c_str()));
    EXPECT_FALSE(m_boxes.Texts().empty()); // the connection's own messages
    EXPECT_EQ(ReadFile(path), "this is no library");
}

TEST_F(DatabaseHelper, EmptyingKeepsTheFixedRows)
{
    const std::string path = PathOf("copy.mdb");
    ASSERT_TRUE(testing_support::MakeNewLibrary(path));
    {
        auto db = OpenNative(path);
        db->ExecuteNative("INSERT INTO tCustomerISPInfo (ISPName) VALUES ('isp')");
        for (const char* table : { "tMusicMain", "tPlaylists", "tGroupList", "tGroup", "tRadioStream" })
            db->ExecuteNative(std::string("INSERT INTO ") + table + " DEFAULT VALUES");
    }
    EXPECT_TRUE(_ADODatabaseHelper().EmptyLibrary(path.c_str()));
    auto db = OpenNative(path);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tCustomerISPInfo"), 1);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tLookupSubGenre"), 270);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tMusicMain"), 0);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tRadioStream"), 0);
}

TEST_F(DatabaseHelper, EmptyingStopsAtTheFirstFailure)
{
    const std::string path = PathOf("copy.mdb");
    ASSERT_TRUE(testing_support::MakeNewLibrary(path));
    {
        auto db = OpenNative(path);
        for (const char* table : { "tMusicMain", "tGroup", "tRadioStream" })
            db->ExecuteNative(std::string("INSERT INTO ") + table + " DEFAULT VALUES");
        CatalogStore(*db).DropTable("tPlaylists");
    }
    EXPECT_FALSE(_ADODatabaseHelper().EmptyLibrary(path.c_str()));
    EXPECT_FALSE(m_boxes.Texts().empty()); // the connection's own messages
    auto db = OpenNative(path);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tMusicMain"), 0);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tGroup"), 1);
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tRadioStream"), 1);
}

TEST_F(DatabaseHelper, CompactionMakesANewFileOnly)
{
    const std::string source = PathOf("copyDB.mdb");
    const std::string target = PathOf("CompactDB.mdb");
    ASSERT_TRUE(testing_support::MakeNewLibrary(source));
    const std::string provider = "Provider=Microsoft.JET.OLEDB.4.0;Data source=";
    EXPECT_TRUE(_ADODatabaseHelper().CompactLibraryDatabase((provider + source).c_str(), (provider + target).c_str()));
    {
        auto db = OpenNative(target);
        EXPECT_EQ(Count(*db, "SELECT COUNT(*) FROM tLookupGenre"), 15);
    }
    WriteFile(PathOf("taken.mdb"), "keep");
    EXPECT_FALSE(_ADODatabaseHelper().CompactLibraryDatabase((provider + source).c_str(), (provider + PathOf("taken.mdb")).c_str()));
    EXPECT_EQ(ReadFile(PathOf("taken.mdb")), "keep");
}

TEST(SchemaTypes, MapsBothWays)
{
    const std::pair<const char*, DataTypeEnum> words[] = { { "Text", adVarWChar }, { "Memo", adLongVarWChar },
        { "Number", adInteger }, { "AutoNumber", adInteger }, { "Yes/No", adBoolean }, { "Date/Time", adDate },
        { "text", adInteger }, { "Currency", adInteger } };
    for (const auto& [word, type] : words)
        EXPECT_EQ(_ADODatabaseHelper::AdoxTypeOf(word), type) << word;
    EXPECT_STREQ(_ADODatabaseHelper::SchemaTypeNameOf(nullptr, adBoolean), "Yes/No");
    EXPECT_STREQ(_ADODatabaseHelper::SchemaTypeNameOf(nullptr, adInteger), "Number");
    EXPECT_STREQ(_ADODatabaseHelper::SchemaTypeNameOf(nullptr, adDouble), "Unknown");
}
