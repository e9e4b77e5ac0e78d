#pragma once
// A library file made straight through the data-access layer's catalog, independent of the library
// code under test: every table of the schema with its keys and, on request, every stored query.

#include "library/LibrarySchema.h"
#include "library/StoredQueryCatalogue.h"

#include "platform/ado/CatalogStore.h"
#include "platform/ado/Database.h"
#include "platform/base/Paths.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace testing_support {

inline platform::ado::ColumnDefinition ColumnOf(const SchemaField& field)
{
    platform::ado::ColumnDefinition column;
    column.name = field.name;
    column.description = field.description;
    const std::string type = field.typeWord;
    const std::int32_t size = static_cast<std::int32_t>(std::atol(field.sizeText));
    if (type == "Text") {
        column.type = { adVarWChar, size };
        column.allowZeroLength = true;
    } else if (type == "Memo") {
        column.type = { adLongVarWChar, size };
    } else if (type == "Yes/No") {
        column.type = { adBoolean, 2 };
    } else if (type == "Date/Time") {
        column.type = { adDate, 0 };
    } else {
        column.type = { adInteger, 0 };
        column.autoIncrement = type == "AutoNumber";
    }
    return column;
}

inline platform::ado::TableDefinition TableOf(const SchemaTable& table)
{
    platform::ado::TableDefinition definition;
    definition.name = table.name;
    for (std::size_t i = 0; i < table.fieldCount; ++i) {
        definition.columns.push_back(ColumnOf(table.fields[i]));
        if (std::strcmp(table.fields[i].keyFlag, "True") == 0) {
            definition.indexes.push_back({ "NumIndex", true, true, { table.fields[i].name } });
            definition.indexes.push_back({ "TextIndex", false, false, { table.fields[i].name } });
        }
    }
    return definition;
}

// Makes the file at a program path with every table and, with queries, every stored query.
inline void MakeLibraryFile(const std::string& programPath, bool withQueries)
{
    std::unique_ptr<platform::ado::Database> db = platform::ado::Database::Open(platform::ToNativePath(programPath), true);
    // One transaction: the file is made in one write rather than one per table and query.
    db->ExecuteNative("BEGIN");
    platform::ado::CatalogStore catalog(*db);
    for (const SchemaTable& table : LibrarySchemaTable)
        catalog.CreateTable(TableOf(table));
    if (withQueries) {
        for (const StoredQueryEntry& entry : StoredQueryCatalogue)
            catalog.CreateQuery(entry.name, entry.statement);
    }
    db->ExecuteNative("COMMIT");
}

} // namespace testing_support
