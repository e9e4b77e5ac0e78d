#pragma once
// The catalog of a library file: tables with their columns, properties and indexes, and the stored
// queries with their dates. What SQLite cannot hold itself (descriptions, counters, the engine's
// index names, dates, the queries) lives in tables of our own inside the file, so any later version
// reads and upgrades them; those tables are never listed among the catalog's tables.

#include "platform/ado/ColumnTypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ado {

class Database;

struct ColumnDefinition {
    std::string name;
    ColumnType type { adVarWChar, 255 };
    bool autoIncrement { false };
    bool allowZeroLength { false };
    std::string description;
};

struct IndexDefinition {
    std::string name;
    bool primaryKey { false };
    bool unique { false };
    std::vector<std::string> columns;
};

struct TableDefinition {
    std::string name;
    std::vector<ColumnDefinition> columns;
    std::vector<IndexDefinition> indexes;
    double created { 0 }; // OLE dates, local time
    double modified { 0 };
};

struct StoredQuery {
    std::string name;
    std::string statement;
    bool isView { false }; // a row query without parameters
    double created { 0 };
    double modified { 0 };
};

class CatalogStore {
public:
    explicit CatalogStore(Database& database);

    // The names of the user's tables, in the order they were made.
    std::vector<std::string> TableNames();
    // One table as the catalog describes it; nullopt when there is none of that name.
    std::optional<TableDefinition> LoadTable(std::string_view name);
    // Makes a new table; a name already taken by a table or stored query is refused.
    void CreateTable(const TableDefinition& table);
    // Gives an existing table a new definition, keeping the values of every column whose name both
    // definitions share (the table is rebuilt when SQLite cannot alter it in place). All or nothing.
    void AlterTable(std::string_view name, const TableDefinition& table);
    // Removes a table and its catalog entries.
    void DropTable(std::string_view name);

    // The stored queries, views or procedures as 'views' says, in the order they were made.
    std::vector<StoredQuery> Queries(bool views);
    // One stored query by name, whichever kind it is; inside a transaction from the connection's
    // memo once it was looked up.
    std::optional<StoredQuery> FindQuery(std::string_view name);
    // Stores a new query; the statement must translate, and the name must be free.
    void CreateQuery(std::string_view name, std::string_view statement);
    // Gives a stored query a new statement and a new modification date.
    void ReplaceQuery(std::string_view name, std::string_view statement);
    // Removes a stored query.
    void DropQuery(std::string_view name);

    // Makes the catalog's own tables when the file has none yet (a new file gets them at once).
    void Initialize() { EnsureMetadata(); }
    // Stores a column's description and zero-length rule (no rebuild) and renews the table's date.
    void SetColumnMetadata(std::string_view table, const ColumnDefinition& column);

    // True for the tables that hold the catalog itself.
    static bool IsInternalTable(std::string_view name);

private:
    void EnsureMetadata();
    void WriteTable(const TableDefinition& table, std::string_view physicalName);
    void WriteTriggersAndIndexes(const TableDefinition& table);
    void WriteMetadata(const TableDefinition& table);
    void DeleteMetadata(std::string_view name);
    bool NameTaken(std::string_view name);
    // FindQuery's look-up in the file.
    std::optional<StoredQuery> LookUpQuery(std::string_view name);

    Database& m_db;
    bool m_metadataReady { false };
};

} // namespace platform::ado
