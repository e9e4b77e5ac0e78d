// The static descriptions a library file is built from: the schema, the stored-query catalogue and
// the lookup rows, and the look-ups over the schema.

#include "library/LibrarySchema.h"
#include "library/LookupTables.h"
#include "library/StoredQueryCatalogue.h"
#include "library/_ADODatabaseHelper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

const SchemaTable* FindTable(const std::string& name)
{
    for (const SchemaTable& table : LibrarySchemaTable) {
        if (name == table.name)
            return &table;
    }
    return nullptr;
}

std::string KeyOf(const SchemaTable& table)
{
    std::string key;
    for (std::size_t i = 0; i < table.fieldCount; ++i) {
        if (std::strcmp(table.fields[i].keyFlag, "True") == 0) {
            EXPECT_TRUE(key.empty()) << table.name << " has two key fields";
            key = table.fields[i].name;
        }
    }
    return key;
}

const LookupTable& Lookup(const std::string& name)
{
    for (const LookupTable& table : LookupRowTables) {
        if (name == table.tableName)
            return table;
    }
    throw std::runtime_error("no lookup table " + name);
}

} // namespace

TEST(SchemaTables, FieldSizeOfComparesNamesWithoutCase)
{
    struct Case {
        const char* table;
        const char* field;
        long size;
    };
    const Case cases[] = {
        { "tmusicmain", "artist", 255 },
        { "tMusicMain", "HideFlag", 2 },
        { "TLOOKUPTIMEZONE", "daylight savings", 2 },
        { "tMusicMain", "QVCDID", 0 }, // a number has size text "0"
        { "tMusicMain", "NoSuchField", 0 },
        { "tNoSuchTable", "Artist", 0 },
        { "tMusicMain", nullptr, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(_ADODatabaseHelper::FieldSizeOf(c.table, c.field), c.size) << c.table << "." << (c.field ? c.field : "(null)");
}

TEST(SchemaTables, IndexOfFieldIsCaseSensitive)
{
    const SchemaTable* music = FindTable("tMusicMain");
    ASSERT_NE(music, nullptr);
    const int count = static_cast<int>(music->fieldCount);
    EXPECT_EQ(_ADODatabaseHelper::IndexOfField("QVCDID", music->fields, count), 1);
    EXPECT_EQ(_ADODatabaseHelper::IndexOfField("HideFlag", music->fields, count), count - 1);
    EXPECT_EQ(_ADODatabaseHelper::IndexOfField("hideflag", music->fields, count), -1);
    EXPECT_EQ(_ADODatabaseHelper::IndexOfField("HideFlag", music->fields, count - 1), -1);
}

TEST(SchemaTables, KeysAndKeylessTables)
{
    const std::set<std::string> keyless { "tCustomerISPInfo", "tFileDesc", "tGroupList", "tMusicCredits",
        "tMusicRecommendations", "tMusicSegments", "tPlaylistTracks", "tSearchFileDesc", "tIRadioGroupList" };
    std::set<std::string> found;
    for (const SchemaTable& table : LibrarySchemaTable) {
        EXPECT_GT(table.fieldCount, 0u);
        if (KeyOf(table).empty())
            found.insert(table.name);
    }
    EXPECT_EQ(found, keyless);

    // Keys the program fills itself are plain numbers or text, not counters.
    const std::pair<const char*, const char*> filledKeys[] = { { "tLookupGenre", "Number" },
        { "tLookupRadioGenre", "Number" }, { "tRadioStream", "Number" }, { "tGenreMapTable", "Text" } };
    for (const auto& [name, type] : filledKeys) {
        const SchemaTable* table = FindTable(name);
        ASSERT_NE(table, nullptr) << name;
        const int key = _ADODatabaseHelper::IndexOfField(KeyOf(*table).c_str(), table->fields, static_cast<int>(table->fieldCount));
        ASSERT_GE(key, 0) << name;
        EXPECT_STREQ(table->fields[key].typeWord, type) << name;
    }
}

TEST(SchemaTables, ChangeTrackingColumnsCloseTheirTables)
{
    const char* const tracked[] = { "tCustomerISPInfo", "tCustomerMain", "tGroup", "tGroupList", "tIRadioMain",
        "tMusicMain", "tMusicTracks", "tPlaylists", "tPlaylistTracks", "tRadioStream", "tIRadioGroup",
        "tIRadioGroupList" };
    for (const char* name : tracked) {
        const SchemaTable* table = FindTable(name);
        ASSERT_NE(table, nullptr) << name;
        const int count = static_cast<int>(table->fieldCount);
        const int deleteFlag = _ADODatabaseHelper::IndexOfField("DeleteFlag", table->fields, count);
        ASSERT_GE(deleteFlag, 0) << name;
        const bool oneMore = std::string(name) == "tMusicMain" || std::string(name) == "tPlaylistTracks";
        EXPECT_EQ(deleteFlag + 3 + (oneMore ? 1 : 0), count) << name;
        EXPECT_STREQ(table->fields[deleteFlag + 1].name, "ModifyFlag") << name;
        EXPECT_STREQ(table->fields[deleteFlag + 2].name, "TimeStamp") << name;
        EXPECT_STREQ(table->fields[deleteFlag + 2].typeWord, "Date/Time") << name;
    }
    EXPECT_STREQ(FindTable("tMusicMain")->fields[FindTable("tMusicMain")->fieldCount - 1].name, "HideFlag");
    EXPECT_STREQ(FindTable("tPlaylistTracks")->fields[FindTable("tPlaylistTracks")->fieldCount - 1].name, "PlayOrder");
}

TEST(StoredQueryCatalogue, NamesDatesAndLeftOutEntries)
{
    std::set<std::string> names;
    for (const StoredQueryEntry& entry : StoredQueryCatalogue) {
        EXPECT_EQ(entry.name[0], 'q') << entry.name;
        EXPECT_TRUE(names.insert(entry.name).second) << "duplicate " << entry.name;
        ASSERT_EQ(std::strlen(entry.date), 10u) << entry.name;
        EXPECT_TRUE(entry.date[2] == '/' && entry.date[5] == '/') << entry.name;
        EXPECT_GT(std::strlen(entry.statement), 0u) << entry.name;
    }

    const std::set<std::string> leftOut { "qNewGroups", "qNewRadioGroups", "qUpdatedGroups", "qUpdatedRadioGroups",
        "qDeletedRadioGroups", "qNewCDs", "qNewMP3s", "qPlaylistDetail", "qUpdatedPlaylists", "qNewPlaylists",
        "qGroupDetail", "qRadioGroupDetail", "qUpdatedCoverArt", "qUpdateAlbumXmlPath", "qUpdateDARAlbumCoverArt",
        "qUpdateDARTrackFilePath" };
    std::set<std::string> found;
    for (std::size_t i = 0; i < StoredQueryCatalogue.size(); ++i) {
        if (IsLeftOutOfUpgrade(i))
            found.insert(StoredQueryCatalogue[i].name);
    }
    EXPECT_EQ(found, leftOut);
    EXPECT_STREQ(StoredQueryCatalogue[128].name, "qMusicCoverArtList");
}

TEST(LookupTables, RowsAndKeysAsWritten)
{
    const std::pair<const char*, std::size_t> counts[] = { { "tLookupGenre", 15 }, { "tLookupMaritalStatus", 4 },
        { "tLookupMovieRating", 10 }, { "tLookupTimeZone", 9 }, { "tLookupSubGenre", 270 },
        { "tLookupRadioGenre", 18 } };
    std::size_t position = 0;
    for (const auto& [name, rows] : counts) {
        EXPECT_STREQ(LookupRowTables[position++].tableName, name);
        const LookupTable& table = Lookup(name);
        EXPECT_EQ(table.rowCount, rows) << name;
        // Every row fills every column of its table, in the table's column order.
        const SchemaTable* schema = FindTable(name);
        ASSERT_NE(schema, nullptr) << name;
        EXPECT_EQ(table.columnCount, schema->fieldCount) << name;
    }

    const LookupTable& genres = Lookup("tLookupGenre");
    std::vector<std::string> keys;
    for (std::size_t r = 0; r < genres.rowCount; ++r)
        keys.push_back(genres.Value(r, 0));
    EXPECT_EQ(keys, (std::vector<std::string> { "2", "3", "4", "23", "15", "6", "9", "22", "10", "11", "20", "13", "12", "14", "16" }));

    const LookupTable& sub = Lookup("tLookupSubGenre");
    for (std::size_t r = 0; r < sub.rowCount; ++r) {
        EXPECT_EQ(std::to_string(r + 1), sub.Value(r, 0));
        EXPECT_STREQ(sub.Value(r, 4), r + 1 >= 249 ? "true" : "false") << "row " << r + 1;
    }
    EXPECT_STREQ(sub.Value(85, 1), "Jwwish/Israeli");
    EXPECT_STREQ(sub.Value(259, 1), "Industial");
    EXPECT_STREQ(sub.Value(52, 1), "Drum n' Bass");

    const LookupTable& zones = Lookup("tLookupTimeZone");
    EXPECT_STREQ(zones.Value(1, 1), "Hawaii");
    EXPECT_STREQ(zones.Value(1, 2), "-10");
    EXPECT_STREQ(zones.Value(1, 3), "false");
}
