#pragma once
// One SQLite connection to a library file, speaking the engine's dialect. Statements are translated
// and prepared once and kept per connection; every call takes the connection's lock, so one Database
// may be used from two threads at once. Failures throw DbError and leave the file as it was.

#include "platform/ado/DbValue.h"
#include "platform/ado/JetSqlTranslator.h"
#include "platform/ado/QueryResult.h"
#include "platform/ado/StoredQueryMemo.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace platform::ado {

class Database {
public:
    // How long a statement waits for another connection's lock before it fails as busy.
    static constexpr std::chrono::milliseconds kBusyTimeout { 10'000 };

    // Opens the file at a native path; with 'create' the file must not exist yet and is made.
    static std::unique_ptr<Database> Open(const std::string& nativePath, bool create);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs one statement of the dialect with its parameter values by position.
    QueryResult Execute(std::string_view jetSql, const std::vector<DbValue>& parameters = {});
    // Runs SQLite's own text (schema work of the catalog); no translation, no cache.
    void ExecuteNative(const std::string& sql);
    // Runs SQLite's own statement with bound values, prepared once and kept; rows as SQLite stores them,
    // without column descriptions (the catalog's look-ups and the row edits read values by position).
    QueryResult QueryNative(const std::string& sql, const std::vector<DbValue>& parameters = {});
    // The translation of a statement, from the cache when it was seen before.
    TranslatedSql Translate(std::string_view jetSql);
    // True when the file has a table of that name (from the schema SQLite holds in memory: no statement).
    bool HasTable(const std::string& name);
    // True while a transaction is open on the connection (SQLite may end one itself after an I/O error).
    bool InTransaction();
    // The rowid of the last row inserted through this connection.
    std::int64_t LastInsertRowId();
    // The native path the connection was opened on.
    const std::string& Path() const { return m_path; }
    // The lock every call takes; held by a caller that needs several calls to be one step.
    std::recursive_mutex& Mutex() { return m_mutex; }
    // The stored-query look-ups of the current transaction; used under Mutex().
    StoredQueryMemo& QueryMemo() { return m_queryMemo; }
    // The open SQLite handle, for the few callers that need SQLite directly (compaction).
    sqlite3* Handle() const { return m_db; }

    // Largest (or smallest) value of a column of a table, with an optional criteria text of the
    // dialect; table and column are checked against the schema before use. Null when no row matches.
    DbValue DomainAggregate(bool maximum, std::string_view field, std::string_view table, std::string_view criteria);

private:
    struct CachedStatement;

    explicit Database(sqlite3* db, std::string path);
    CachedStatement& Prepare(std::string_view jetSql);
    // Steps the statement to its end; columns are described only for a statement of the dialect,
    // whose caller shows them as fields.
    QueryResult Run(sqlite3_stmt* stmt, const TranslatedSql* translated, const std::vector<DbValue>& parameters);
    // The result's column names (told apart by table where they clash), origins and types.
    static void DescribeColumns(sqlite3_stmt* stmt, QueryResult& result);
    [[noreturn]] void Fail(int code, std::string_view context = {});
    static int WaitWhileBusy(void* self, int attempt);
    // SQLite's hooks: the end of a transaction, and a row written to a table.
    static int OnCommit(void* self);
    static void OnRollback(void* self);
    static void OnRowWritten(void* self, int operation, const char* database, const char* table, long long rowid);

    sqlite3* m_db { nullptr };
    std::string m_path;
    std::recursive_mutex m_mutex;
    std::unordered_map<std::string, std::unique_ptr<CachedStatement>> m_cache;
    std::unordered_map<std::string, std::unique_ptr<CachedStatement>> m_nativeCache; // SQLite's own texts
    std::chrono::milliseconds m_busySince {}; // clock uptime at the first retry of the current busy wait
    StoredQueryMemo m_queryMemo;
};

// The value bound for a parameter declared with 'type': numbers given as text become numbers,
// Yes/No values become -1 or 0, date texts become dates.
DbValue CoerceToParameterType(const DbValue& value, JetParamType type);

} // namespace platform::ado
