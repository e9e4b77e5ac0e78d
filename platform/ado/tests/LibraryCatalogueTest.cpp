// Every stored query of the library's catalogue, stored and run once on an empty library built from
// the library's schema the way library creation builds it.

#include "library/LibrarySchema.h"
#include "library/StoredQueryCatalogue.h"
#include "platform/ado/CatalogStore.h"
#include "platform/ado/Database.h"
#include "platform/ado/DbError.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace platform::ado;

namespace {

ColumnDefinition ColumnOf(const SchemaField& field)
{
    ColumnDefinition column;
    column.name = field.name;
    column.description = field.description;
    const std::string word = field.typeWord;
    const std::int32_t size = std::atoi(field.sizeText);
    if (word == "Text") {
        column.type = { adVarWChar, size };
        column.allowZeroLength = true;
    } else if (word == "Memo") {
        column.type = { adLongVarWChar, size };
    } else if (word == "Yes/No") {
        column.type = { adBoolean, 2 };
    } else if (word == "Date/Time") {
        column.type = { adDate, 0 };
    } else {
        column.type = { adInteger, 0 };
        column.autoIncrement = word == "AutoNumber";
    }
    return column;
}

TEST(LibraryCatalogue, EveryStoredQueryRunsOnAnEmptyLibrary)
{
    auto db = Database::Open("library.mdb", true);
    CatalogStore catalog(*db);
    for (const auto& schema : LibrarySchemaTable) {
        TableDefinition table;
        table.name = schema.name;
        for (size_t i = 0; i < schema.fieldCount; ++i) {
            table.columns.push_back(ColumnOf(schema.fields[i]));
            if (std::strcmp(schema.fields[i].keyFlag, "True") == 0) {
                table.indexes.push_back({ "NumIndex", true, true, { schema.fields[i].name } });
                table.indexes.push_back({ "TextIndex", false, false, { schema.fields[i].name } });
            }
        }
        ASSERT_NO_THROW(catalog.CreateTable(table)) << schema.name;
    }
    EXPECT_EQ(catalog.TableNames().size(), kSchemaTableCount);

    for (const auto& entry : StoredQueryCatalogue) {
        SCOPED_TRACE(entry.name);
        ASSERT_NO_THROW(catalog.CreateQuery(entry.name, entry.statement));
        const TranslatedSql translated = db->Translate(entry.statement);
        std::vector<DbValue> values(translated.parameters.size(), DbValue(std::int64_t { 1 }));
        if (std::strcmp(entry.name, "qGetLastAutonumber") == 0)
            values = { DbValue("QVCDID"), DbValue("tMusicMain") };
        try {
            db->Execute(entry.statement, values);
        } catch (const DbError& error) {
            ADD_FAILURE() << error.what() << "\n" << translated.sql;
        }
    }
    EXPECT_EQ(catalog.Queries(false).size() + catalog.Queries(true).size(), kStoredQueryCount);
    // The rows an empty library gives back for the album key: none, so the largest key is Null.
    const auto last = db->Execute("SELECT DMax([qpFieldName],[qpTableName]) AS Expr2;", { DbValue("QVCDID"), DbValue("tMusicMain") });
    EXPECT_TRUE(IsNull(last.rows.at(0).at(0)));
}

} // namespace
