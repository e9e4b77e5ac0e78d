#include "platform/ado/CatalogStore.h"

#include "platform/ado/Database.h"
#include "platform/ado/DbError.h"
#include "platform/ado/JetDate.h"
#include "platform/ado/JetSqlTranslator.h"
#include "platform/base/CaseFold.h"

#include <algorithm>
#include <mutex>

namespace platform::ado {

namespace {

// Every name of our own begins with this prefix; a user's table may not.
constexpr std::string_view kInternalPrefix = "ts_catalog";
// Raised when the file's catalog tables change shape, so a later version can read this one.
constexpr int kCatalogFormat = 1;

std::string Lower(std::string_view s) { return FoldedCopy(s); }

// A savepoint that rolls back unless committed; holds the connection's lock meanwhile.
class CatalogTransaction {
public:
    explicit CatalogTransaction(Database& db)
        : m_db(db)
        , m_lock(db.Mutex())
    {
        m_db.ExecuteNative("SAVEPOINT ts_catalog_change");
    }
    ~CatalogTransaction()
    {
        if (m_committed)
            return;
        try {
            m_db.ExecuteNative("ROLLBACK TO ts_catalog_change; RELEASE ts_catalog_change");
        } catch (const DbError&) {
        }
    }
    void Commit()
    {
        m_db.ExecuteNative("RELEASE ts_catalog_change");
        m_committed = true;
    }

private:
    Database& m_db;
    std::lock_guard<std::recursive_mutex> m_lock;
    bool m_committed { false };
};

std::string TextOf(const DbValue& value)
{
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    return {};
}

std::int64_t IntOf(const DbValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return *i;
    if (const auto* d = std::get_if<double>(&value))
        return static_cast<std::int64_t>(*d);
    return 0;
}

double DateOf(const DbValue& value)
{
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return static_cast<double>(*i);
    return 0;
}

// The column that becomes SQLite's rowid: a counter that is the whole primary key.
const ColumnDefinition* RowidColumn(const TableDefinition& table)
{
    for (const auto& index : table.indexes) {
        if (!index.primaryKey || index.columns.size() != 1)
            continue;
        for (const auto& column : table.columns)
            if (EqualsNoCase(column.name, index.columns[0]) && column.autoIncrement && column.type.type == adInteger)
                return &column;
    }
    return nullptr;
}

// The value a Yes/No column holds after any write: -1 for anything true, 0 for anything false,
// as the engine stores it whatever path the value came by.
std::string YesNoCoercion(const std::string& column)
{
    return "CASE WHEN typeof(" + column + ") IN ('integer','real') THEN (CASE WHEN " + column
        + " <> 0 THEN -1 ELSE 0 END) WHEN typeof(" + column + ")='text' THEN (CASE WHEN lower(trim(" + column
        + ")) IN ('true','yes','on') THEN -1 WHEN lower(trim(" + column + ")) IN ('false','no','off','') THEN 0 WHEN CAST(trim("
        + column + ") AS REAL) <> 0 THEN -1 ELSE 0 END) ELSE 0 END";
}

} // namespace

CatalogStore::CatalogStore(Database& database)
    : m_db(database)
{
}

bool CatalogStore::IsInternalTable(std::string_view name)
{
    return name.size() >= kInternalPrefix.size() && EqualsNoCase(name.substr(0, kInternalPrefix.size()), kInternalPrefix);
}

void CatalogStore::EnsureMetadata()
{
    if (m_metadataReady)
        return;
    m_db.ExecuteNative(R"(
        CREATE TABLE IF NOT EXISTS ts_catalog_info (key TEXT PRIMARY KEY, value);
        INSERT OR IGNORE INTO ts_catalog_info VALUES ('format', )" + std::to_string(kCatalogFormat) + R"();
        CREATE TABLE IF NOT EXISTS ts_catalog_tables (name TEXT PRIMARY KEY COLLATE NOCASE, created REAL, modified REAL);
        CREATE TABLE IF NOT EXISTS ts_catalog_columns (table_name TEXT COLLATE NOCASE, column_name TEXT COLLATE NOCASE,
            type INTEGER, defined_size INTEGER, auto_increment INTEGER, allow_zero_length INTEGER, description TEXT,
            PRIMARY KEY (table_name, column_name));
        CREATE TABLE IF NOT EXISTS ts_catalog_indexes (table_name TEXT COLLATE NOCASE, index_name TEXT COLLATE NOCASE,
            position INTEGER, primary_key INTEGER, is_unique INTEGER, columns TEXT, PRIMARY KEY (table_name, index_name));
        CREATE TABLE IF NOT EXISTS ts_catalog_queries (name TEXT PRIMARY KEY COLLATE NOCASE, statement TEXT,
            is_view INTEGER, created REAL, modified REAL);
    )");
    m_metadataReady = true;
}

std::vector<std::string> CatalogStore::TableNames()
{
    std::vector<std::string> names;
    const auto result = m_db.QueryNative("SELECT name FROM sqlite_schema WHERE type='table' ORDER BY rowid");
    for (const auto& row : result.rows) {
        const std::string name = TextOf(row[0]);
        if (!IsInternalTable(name) && name.rfind("sqlite_", 0) != 0)
            names.push_back(name);
    }
    return names;
}

std::optional<TableDefinition> CatalogStore::LoadTable(std::string_view name)
{
    std::lock_guard lock(m_db.Mutex());
    EnsureMetadata();
    if (IsInternalTable(name))
        return std::nullopt;
    const auto found = m_db.QueryNative("SELECT name FROM sqlite_schema WHERE type='table' AND name=?1 COLLATE NOCASE",
        { DbValue(std::string(name)) });
    if (found.rows.empty())
        return std::nullopt;
    TableDefinition table;
    table.name = TextOf(found.rows[0][0]);

    const auto columns = m_db.QueryNative(
        "SELECT c.name, c.type, c.pk, m.type, m.defined_size, m.auto_increment, m.allow_zero_length, m.description "
        "FROM pragma_table_info(?1) AS c LEFT JOIN ts_catalog_columns AS m ON m.table_name=?1 AND m.column_name=c.name ORDER BY c.cid",
        { DbValue(table.name) });
    for (const auto& row : columns.rows) {
        ColumnDefinition column;
        column.name = TextOf(row[0]);
        column.type = ColumnTypeFromDeclared(TextOf(row[1]));
        if (!IsNull(row[3])) {
            column.type = { static_cast<DataTypeEnum>(IntOf(row[3])), static_cast<std::int32_t>(IntOf(row[4])) };
            column.autoIncrement = IntOf(row[5]) != 0;
            column.allowZeroLength = IntOf(row[6]) != 0;
            column.description = TextOf(row[7]);
        }
        table.columns.push_back(std::move(column));
    }
    const auto indexes = m_db.QueryNative(
        "SELECT index_name, primary_key, is_unique, columns FROM ts_catalog_indexes WHERE table_name=?1 ORDER BY position",
        { DbValue(table.name) });
    for (const auto& row : indexes.rows) {
        IndexDefinition index;
        index.name = TextOf(row[0]);
        index.primaryKey = IntOf(row[1]) != 0;
        index.unique = IntOf(row[2]) != 0;
        const std::string list = TextOf(row[3]);
        size_t start = 0;
        while (start <= list.size() && !list.empty()) {
            const size_t tab = list.find('\t', start);
            index.columns.push_back(list.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        table.indexes.push_back(std::move(index));
    }
    const auto dates = m_db.QueryNative("SELECT created, modified FROM ts_catalog_tables WHERE name=?1", { DbValue(table.name) });
    if (!dates.rows.empty()) {
        table.created = DateOf(dates.rows[0][0]);
        table.modified = DateOf(dates.rows[0][1]);
    }
    return table;
}

bool CatalogStore::NameTaken(std::string_view name)
{
    const auto tables = m_db.QueryNative("SELECT 1 FROM sqlite_schema WHERE name=?1 COLLATE NOCASE", { DbValue(std::string(name)) });
    const auto queries = m_db.QueryNative("SELECT 1 FROM ts_catalog_queries WHERE name=?1", { DbValue(std::string(name)) });
    return !tables.rows.empty() || !queries.rows.empty();
}

void CatalogStore::WriteTable(const TableDefinition& table, std::string_view physicalName)
{
    if (table.columns.empty())
        throw DbError("The table '" + table.name + "' has no columns.");
    const ColumnDefinition* rowid = RowidColumn(table);
    std::string sql = "CREATE TABLE " + QuoteNativeName(physicalName) + " (";
    for (size_t i = 0; i < table.columns.size(); ++i) {
        const ColumnDefinition& column = table.columns[i];
        for (size_t j = 0; j < i; ++j)
            if (EqualsNoCase(table.columns[j].name, column.name))
                throw DbError("The field '" + column.name + "' is defined twice in the table '" + table.name + "'.");
        if (i)
            sql += ", ";
        sql += QuoteNativeName(column.name) + " ";
        if (&column == rowid)
            sql += "INTEGER PRIMARY KEY AUTOINCREMENT";
        else
            sql += DeclaredFromColumnType(column.type);
        if (column.type.type == adBoolean)
            sql += " NOT NULL ON CONFLICT REPLACE DEFAULT 0";
    }
    sql += ")";
    m_db.ExecuteNative(sql);
}

void CatalogStore::WriteTriggersAndIndexes(const TableDefinition& table)
{
    const std::string name = QuoteNativeName(table.name);
    const std::string lower = Lower(table.name);
    std::vector<std::string> flags;
    for (const auto& column : table.columns)
        if (column.type.type == adBoolean)
            flags.push_back(QuoteNativeName(column.name));
    if (!flags.empty()) {
        std::string condition;
        std::string assignments;
        std::string columnList;
        for (const auto& flag : flags) {
            if (!condition.empty()) {
                condition += " OR ";
                assignments += ", ";
                columnList += ", ";
            }
            condition += "NOT (typeof(NEW." + flag + ")='integer' AND NEW." + flag + " IN (0,-1))";
            assignments += flag + " = " + YesNoCoercion(flag);
            columnList += flag;
        }
        const std::string body = " WHEN " + condition + " BEGIN UPDATE " + name + " SET " + assignments + " WHERE rowid = NEW.rowid; END";
        m_db.ExecuteNative("CREATE TRIGGER " + QuoteNativeName("ts_catalog_yesno_insert_" + lower) + " AFTER INSERT ON "
            + name + body);
        m_db.ExecuteNative("CREATE TRIGGER " + QuoteNativeName("ts_catalog_yesno_update_" + lower) + " AFTER UPDATE OF "
            + columnList + " ON " + name + body);
    }
    const ColumnDefinition* rowid = RowidColumn(table);
    for (const auto& column : table.columns) {
        if (!column.autoIncrement || &column == rowid)
            continue;
        // A counter that is not the table's rowid takes the next number after the largest one.
        const std::string c = QuoteNativeName(column.name);
        m_db.ExecuteNative("CREATE TRIGGER " + QuoteNativeName("ts_catalog_counter_" + lower + "_" + Lower(column.name))
            + " AFTER INSERT ON " + name + " WHEN NEW." + c + " IS NULL BEGIN UPDATE " + name + " SET " + c
            + " = (SELECT IFNULL(MAX(" + c + "), 0) + 1 FROM " + name + ") WHERE rowid = NEW.rowid; END");
        // Without an index that starts with the counter, that MAX reads the whole table on every insert,
        // and filling a table grows with the square of its rows.
        const bool indexed = std::any_of(table.indexes.begin(), table.indexes.end(),
            [&](const IndexDefinition& index) { return !index.columns.empty() && EqualsNoCase(index.columns[0], column.name); });
        if (!indexed)
            m_db.ExecuteNative("CREATE INDEX " + QuoteNativeName("ts_catalog_counter_index_" + lower + "_" + Lower(column.name))
                + " ON " + name + " (" + c + ")");
    }
    for (const auto& index : table.indexes) {
        if (index.columns.empty())
            continue;
        if (rowid && index.columns.size() == 1 && EqualsNoCase(index.columns[0], rowid->name))
            continue; // the rowid is its own index
        std::string columns;
        for (const auto& column : index.columns) {
            if (!columns.empty())
                columns += ", ";
            columns += QuoteNativeName(column);
        }
        m_db.ExecuteNative(std::string(index.primaryKey || index.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ")
            + QuoteNativeName("ts_catalog_index_" + lower + "_" + Lower(index.name)) + " ON " + name + " (" + columns
            + ")");
    }
}

void CatalogStore::WriteMetadata(const TableDefinition& table)
{
    DeleteMetadata(table.name);
    m_db.QueryNative("INSERT INTO ts_catalog_tables VALUES (?1, ?2, ?3)", { DbValue(table.name), DbValue(table.created), DbValue(table.modified) });
    for (const auto& column : table.columns)
        m_db.QueryNative("INSERT INTO ts_catalog_columns VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
            { DbValue(table.name), DbValue(column.name), DbValue(std::int64_t { column.type.type }),
                DbValue(std::int64_t { column.type.definedSize }), DbValue(std::int64_t { column.autoIncrement }),
                DbValue(std::int64_t { column.allowZeroLength }), DbValue(column.description) });
    std::int64_t position = 0;
    for (const auto& index : table.indexes) {
        std::string columns;
        for (const auto& column : index.columns) {
            if (!columns.empty())
                columns += '\t';
            columns += column;
        }
        m_db.QueryNative("INSERT INTO ts_catalog_indexes VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
            { DbValue(table.name), DbValue(index.name), DbValue(position++), DbValue(std::int64_t { index.primaryKey }),
                DbValue(std::int64_t { index.unique }), DbValue(columns) });
    }
}

void CatalogStore::DeleteMetadata(std::string_view name)
{
    const std::vector<DbValue> key { DbValue(std::string(name)) };
    m_db.QueryNative("DELETE FROM ts_catalog_tables WHERE name=?1", key);
    m_db.QueryNative("DELETE FROM ts_catalog_columns WHERE table_name=?1", key);
    m_db.QueryNative("DELETE FROM ts_catalog_indexes WHERE table_name=?1", key);
}

void CatalogStore::CreateTable(const TableDefinition& definition)
{
    CatalogTransaction transaction(m_db);
    EnsureMetadata();
    if (definition.name.empty() || IsInternalTable(definition.name))
        throw DbError("The table name '" + definition.name + "' is not valid.");
    if (NameTaken(definition.name))
        throw DbError("Table '" + definition.name + "' already exists.");
    TableDefinition table = definition;
    table.created = table.modified = LocalNowAsOleDate();
    WriteTable(table, table.name);
    WriteTriggersAndIndexes(table);
    WriteMetadata(table);
    transaction.Commit();
}

void CatalogStore::AlterTable(std::string_view name, const TableDefinition& definition)
{
    CatalogTransaction transaction(m_db);
    EnsureMetadata();
    const auto old = LoadTable(name);
    if (!old)
        throw DbError("The table '" + std::string(name) + "' does not exist.");
    TableDefinition table = definition;
    table.name = old->name;
    table.created = old->created;
    table.modified = LocalNowAsOleDate();

    // SQLite alters little in place, so the table is made anew under a temporary name, the shared
    // columns copied over, and the new table takes the old one's name.
    const std::string temporary = "ts_catalog_rebuild";
    m_db.ExecuteNative("DROP TABLE IF EXISTS " + QuoteNativeName(temporary));
    WriteTable(table, temporary);
    std::string shared;
    for (const auto& column : table.columns) {
        for (const auto& before : old->columns) {
            if (EqualsNoCase(before.name, column.name)) {
                if (!shared.empty())
                    shared += ", ";
                shared += QuoteNativeName(column.name);
            }
        }
    }
    // Rows keep their rowids, so the keys of a counter column survive; when the new table's rowid is
    // itself one of the copied columns, that column carries them.
    const ColumnDefinition* rowid = RowidColumn(table);
    bool rowidCopied = false;
    if (rowid)
        for (const auto& before : old->columns)
            rowidCopied = rowidCopied || EqualsNoCase(before.name, rowid->name);
    if (!shared.empty()) {
        const std::string prefix = rowidCopied ? "" : "rowid, ";
        m_db.ExecuteNative("INSERT INTO " + QuoteNativeName(temporary) + " (" + prefix + shared + ") SELECT " + prefix
            + shared + " FROM " + QuoteNativeName(old->name));
    }
    m_db.ExecuteNative("DROP TABLE " + QuoteNativeName(old->name));
    m_db.ExecuteNative("ALTER TABLE " + QuoteNativeName(temporary) + " RENAME TO " + QuoteNativeName(table.name));
    WriteTriggersAndIndexes(table);
    WriteMetadata(table);
    transaction.Commit();
}

void CatalogStore::DropTable(std::string_view name)
{
    CatalogTransaction transaction(m_db);
    EnsureMetadata();
    const auto old = LoadTable(name);
    if (!old)
        throw DbError("The table '" + std::string(name) + "' does not exist.");
    m_db.ExecuteNative("DROP TABLE " + QuoteNativeName(old->name));
    DeleteMetadata(old->name);
    transaction.Commit();
}

void CatalogStore::SetColumnMetadata(std::string_view table, const ColumnDefinition& column)
{
    CatalogTransaction transaction(m_db);
    EnsureMetadata();
    const auto found = LoadTable(table);
    if (!found)
        throw DbError("The table '" + std::string(table) + "' does not exist.");
    const auto updated = m_db.QueryNative(
        "UPDATE ts_catalog_columns SET description=?3, allow_zero_length=?4 WHERE table_name=?1 AND column_name=?2 RETURNING 1",
        { DbValue(found->name), DbValue(column.name), DbValue(column.description), DbValue(std::int64_t { column.allowZeroLength }) });
    if (updated.rows.empty()) {
        // A table made by hand has no catalog rows yet: write all of them.
        TableDefinition copy = *found;
        for (auto& c : copy.columns)
            if (EqualsNoCase(c.name, column.name)) {
                c.description = column.description;
                c.allowZeroLength = column.allowZeroLength;
            }
        copy.created = copy.created ? copy.created : LocalNowAsOleDate();
        copy.modified = LocalNowAsOleDate();
        WriteMetadata(copy);
    } else {
        m_db.QueryNative("INSERT OR REPLACE INTO ts_catalog_tables VALUES (?1, ?2, ?3)",
            { DbValue(found->name), DbValue(found->created ? found->created : LocalNowAsOleDate()), DbValue(LocalNowAsOleDate()) });
    }
    transaction.Commit();
}

std::vector<StoredQuery> CatalogStore::Queries(bool views)
{
    std::lock_guard lock(m_db.Mutex());
    EnsureMetadata();
    std::vector<StoredQuery> queries;
    const auto result = m_db.QueryNative(
        "SELECT name, statement, is_view, created, modified FROM ts_catalog_queries WHERE is_view=?1 ORDER BY rowid",
        { DbValue(std::int64_t { views }) });
    for (const auto& row : result.rows)
        queries.push_back({ TextOf(row[0]), TextOf(row[1]), IntOf(row[2]) != 0, DateOf(row[3]), DateOf(row[4]) });
    return queries;
}

std::optional<StoredQuery> CatalogStore::FindQuery(std::string_view name)
{
    std::lock_guard lock(m_db.Mutex());
    // Inside a transaction no other connection can change the queries, and this one's own changes
    // make the memo forget: the answer found first is good until then.
    const bool memo = m_db.InTransaction();
    if (memo) {
        if (const auto* known = m_db.QueryMemo().Find(name))
            return *known;
    }
    std::optional<StoredQuery> query = LookUpQuery(name);
    if (memo)
        m_db.QueryMemo().Remember(name, query);
    return query;
}

std::optional<StoredQuery> CatalogStore::LookUpQuery(std::string_view name)
{
    // Every stored query a statement runs is looked up here, so the look-up writes nothing: a file
    // without the store's tables has no stored queries.
    if (!m_db.HasTable(std::string(StoredQueryMemo::kQueryTable)))
        return std::nullopt;
    const auto result = m_db.QueryNative("SELECT name, statement, is_view, created, modified FROM ts_catalog_queries WHERE name=?1",
        { DbValue(std::string(name)) });
    if (result.rows.empty())
        return std::nullopt;
    const auto& row = result.rows[0];
    return StoredQuery { TextOf(row[0]), TextOf(row[1]), IntOf(row[2]) != 0, DateOf(row[3]), DateOf(row[4]) };
}

void CatalogStore::CreateQuery(std::string_view name, std::string_view statement)
{
    CatalogTransaction transaction(m_db);
    EnsureMetadata();
    if (name.empty() || IsInternalTable(name))
        throw DbError("The query name '" + std::string(name) + "' is not valid.");
    if (NameTaken(name))
        throw DbError("Object '" + std::string(name) + "' already exists.");
    TranslatedSql translated;
    std::string error;
    if (!TranslateJetSql(statement, translated, error))
        throw DbError("Syntax error in the query '" + std::string(name) + "': " + error);
    const bool isView = translated.kind == JetStatementKind::Select && translated.parameters.empty();
    const double now = LocalNowAsOleDate();
    m_db.QueryNative("INSERT INTO ts_catalog_queries VALUES (?1, ?2, ?3, ?4, ?4)",
        { DbValue(std::string(name)), DbValue(std::string(statement)), DbValue(std::int64_t { isView }), DbValue(now) });
    transaction.Commit();
}

void CatalogStore::ReplaceQuery(std::string_view name, std::string_view statement)
{
    CatalogTransaction transaction(m_db);
    EnsureMetadata();
    TranslatedSql translated;
    std::string error;
    if (!TranslateJetSql(statement, translated, error))
        throw DbError("Syntax error in the query '" + std::string(name) + "': " + error);
    const auto result = m_db.QueryNative("UPDATE ts_catalog_queries SET statement=?2, modified=?3 WHERE name=?1 RETURNING name",
        { DbValue(std::string(name)), DbValue(std::string(statement)), DbValue(LocalNowAsOleDate()) });
    if (result.rows.empty())
        throw DbError("The query '" + std::string(name) + "' does not exist.");
    transaction.Commit();
}

void CatalogStore::DropQuery(std::string_view name)
{
    CatalogTransaction transaction(m_db);
    EnsureMetadata();
    const auto result = m_db.QueryNative("DELETE FROM ts_catalog_queries WHERE name=?1 RETURNING name", { DbValue(std::string(name)) });
    if (result.rows.empty())
        throw DbError("The query '" + std::string(name) + "' does not exist.");
    transaction.Commit();
}

} // namespace platform::ado
