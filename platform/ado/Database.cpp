#include "platform/ado/Database.h"

#include "platform/ado/DbError.h"
#include "platform/ado/JetDate.h"
#include "platform/ado/JetLike.h"
#include "platform/base/CaseFold.h"
#include "platform/base/Clock.h"
#include "platform/base/Wait.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <set>

namespace platform::ado {

namespace {

// Statements kept per connection before the cache starts over; a library runs far fewer.
constexpr size_t kStatementCacheLimit = 512;

// Pauses between tries while another connection holds the file's lock: short at first, as most
// locks are held for one small write, then longer so a long holder is not polled needlessly.
constexpr std::chrono::milliseconds kBusySteps[] = { std::chrono::milliseconds(1), std::chrono::milliseconds(2),
    std::chrono::milliseconds(5), std::chrono::milliseconds(10), std::chrono::milliseconds(15), std::chrono::milliseconds(20),
    std::chrono::milliseconds(25), std::chrono::milliseconds(25), std::chrono::milliseconds(25), std::chrono::milliseconds(50),
    std::chrono::milliseconds(50), std::chrono::milliseconds(100) };

std::string TrimmedCopy(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return std::string(s);
}

std::optional<double> ParseNumber(std::string_view text)
{
    const std::string trimmed = TrimmedCopy(text);
    if (trimmed.empty())
        return std::nullopt;
    double value = 0;
    const char* begin = trimmed.data();
    const char* end = begin + trimmed.size();
    if (*begin == '+')
        ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

std::optional<bool> ParseTruth(const DbValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return *i != 0;
    if (const auto* d = std::get_if<double>(&value))
        return *d != 0;
    if (const auto* s = std::get_if<std::string>(&value)) {
        const std::string folded = FoldedCopy(TrimmedCopy(*s));
        if (folded == "true" || folded == "yes" || folded == "on")
            return true;
        if (folded == "false" || folded == "no" || folded == "off" || folded.empty())
            return false;
        if (const auto number = ParseNumber(folded))
            return *number != 0;
    }
    return std::nullopt;
}

// ---- the dialect's functions

void NowFunction(sqlite3_context* context, int, sqlite3_value**) { sqlite3_result_double(context, LocalNowAsOleDate()); }

void IsNullFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    sqlite3_result_int(context, sqlite3_value_type(argv[0]) == SQLITE_NULL ? -1 : 0);
}

std::string_view TextOf(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(value))) : std::string_view();
}

// Replaces SQLite's like(): "x LIKE p" calls like(p, x).
void LikeFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::string pattern(TextOf(argv[0]));
    const std::string text(TextOf(argv[1]));
    sqlite3_result_int(context, JetLikeMatch(pattern, text) ? 1 : 0);
}

template <bool Maximum>
void DomainAggregateFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    auto* database = static_cast<Database*>(sqlite3_user_data(context));
    try {
        const std::string field(TextOf(argv[0]));
        const std::string table(TextOf(argv[1]));
        const std::string criteria = argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL ? std::string(TextOf(argv[2])) : std::string();
        const DbValue value = database->DomainAggregate(Maximum, field, table, criteria);
        if (const auto* i = std::get_if<std::int64_t>(&value))
            sqlite3_result_int64(context, *i);
        else if (const auto* d = std::get_if<double>(&value))
            sqlite3_result_double(context, *d);
        else if (const auto* s = std::get_if<std::string>(&value))
            sqlite3_result_text(context, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
        else
            sqlite3_result_null(context);
    } catch (const std::exception& e) {
        sqlite3_result_error(context, e.what(), -1);
    }
}

void RegisterFunctions(sqlite3* db, Database* database)
{
    constexpr int deterministic = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "jet_now", 0, SQLITE_UTF8, nullptr, NowFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_isnull", 1, deterministic, nullptr, IsNullFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 2, deterministic, nullptr, LikeFunction, nullptr, nullptr, nullptr);
    for (int argc : { 2, 3 }) {
        sqlite3_create_function_v2(db, "jet_dmax", argc, SQLITE_UTF8, database, DomainAggregateFunction<true>, nullptr, nullptr, nullptr);
        sqlite3_create_function_v2(db, "jet_dmin", argc, SQLITE_UTF8, database, DomainAggregateFunction<false>, nullptr, nullptr, nullptr);
    }
}

struct StatementDeleter {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

void BindValue(sqlite3_stmt* stmt, int index, const DbValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value))
        sqlite3_bind_int64(stmt, index, *i);
    else if (const auto* d = std::get_if<double>(&value))
        sqlite3_bind_double(stmt, index, *d);
    else if (const auto* s = std::get_if<std::string>(&value))
        sqlite3_bind_text(stmt, index, s->data(), static_cast<int>(s->size()), SQLITE_TRANSIENT);
    else if (const auto* b = std::get_if<DbBlob>(&value))
        sqlite3_bind_blob(stmt, index, b->data(), static_cast<int>(b->size()), SQLITE_TRANSIENT);
    else
        sqlite3_bind_null(stmt, index);
}

DbValue ColumnValue(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return static_cast<std::int64_t>(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, column);
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt, column));
        return DbBlob(data, data + sqlite3_column_bytes(stmt, column));
    }
    default:
        return DbNull {};
    }
}

std::string StripBrackets(std::string_view name)
{
    std::string trimmed = TrimmedCopy(name);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']')
        return trimmed.substr(1, trimmed.size() - 2);
    return trimmed;
}

} // namespace

struct Database::CachedStatement {
    TranslatedSql translated;
    StatementPtr stmt;
};

DbValue CoerceToParameterType(const DbValue& value, JetParamType type)
{
    if (IsNull(value))
        return value;
    switch (type) {
    case JetParamType::Long:
    case JetParamType::Short:
    case JetParamType::Byte:
        if (const auto* d = std::get_if<double>(&value))
            return static_cast<std::int64_t>(std::nearbyint(*d));
        if (const auto* s = std::get_if<std::string>(&value)) {
            if (const auto number = ParseNumber(*s))
                return static_cast<std::int64_t>(std::nearbyint(*number));
        }
        return value;
    case JetParamType::Double:
    case JetParamType::Single:
    case JetParamType::Currency:
        if (const auto* i = std::get_if<std::int64_t>(&value))
            return static_cast<double>(*i);
        if (const auto* s = std::get_if<std::string>(&value)) {
            if (const auto number = ParseNumber(*s))
                return *number;
        }
        return value;
    case JetParamType::Text:
    case JetParamType::Memo:
        if (const auto* i = std::get_if<std::int64_t>(&value))
            return std::to_string(*i);
        if (const auto* d = std::get_if<double>(&value)) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.15g", *d);
            return std::string(buffer);
        }
        return value;
    case JetParamType::DateTime:
        if (const auto* i = std::get_if<std::int64_t>(&value))
            return static_cast<double>(*i);
        if (const auto* s = std::get_if<std::string>(&value)) {
            if (const auto date = ParseJetDateLiteral(*s))
                return *date;
            if (const auto number = ParseNumber(*s))
                return *number;
        }
        return value;
    case JetParamType::Bit:
        if (const auto truth = ParseTruth(value))
            return static_cast<std::int64_t>(*truth ? -1 : 0);
        return value;
    case JetParamType::Variant:
        return value;
    }
    return value;
}

std::unique_ptr<Database> Database::Open(const std::string& nativePath, bool create)
{
    std::error_code ec;
    const bool exists = std::filesystem::exists(nativePath, ec);
    if (create && exists)
        throw DbError("Database '" + nativePath + "' already exists.", SQLITE_CANTOPEN);
    if (!create && !exists)
        throw DbError("Could not find file '" + nativePath + "'.", SQLITE_CANTOPEN);
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(nativePath.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        throw DbError("Could not open '" + nativePath + "': " + message + ".", rc);
    }
    sqlite3_extended_result_codes(db, 1);
    std::unique_ptr<Database> database(new Database(db, nativePath));
    // The wait for another connection's lock runs on the platform clock rather than SQLite's own
    // sleep, so it follows the same time as every other wait of the program.
    sqlite3_busy_handler(db, &Database::WaitWhileBusy, database.get());
    sqlite3_commit_hook(db, &Database::OnCommit, database.get());
    sqlite3_rollback_hook(db, &Database::OnRollback, database.get());
    sqlite3_update_hook(db, &Database::OnRowWritten, database.get());
    RegisterFunctions(db, database.get());
    // The rollback journal with full syncs: closing the last connection leaves one complete file
    // that callers may copy or rename. Reading the schema also refuses a file that is no database.
    database->ExecuteNative("PRAGMA recursive_triggers=OFF; PRAGMA foreign_keys=OFF");
    database->QueryNative("PRAGMA journal_mode=DELETE");
    database->ExecuteNative("PRAGMA synchronous=FULL");
    database->QueryNative("SELECT count(*) FROM sqlite_schema");
    return database;
}

Database::Database(sqlite3* db, std::string path)
    : m_db(db)
    , m_path(std::move(path))
{
}

Database::~Database()
{
    m_cache.clear();
    m_nativeCache.clear();
    sqlite3_close_v2(m_db);
}

int Database::OnCommit(void* self)
{
    static_cast<Database*>(self)->m_queryMemo.Forget();
    return 0; // the commit goes ahead
}

void Database::OnRollback(void* self) { static_cast<Database*>(self)->m_queryMemo.Forget(); }

void Database::OnRowWritten(void* self, int, const char*, const char* table, long long)
{
    if (table && EqualsNoCase(table, StoredQueryMemo::kQueryTable))
        static_cast<Database*>(self)->m_queryMemo.Forget();
}

int Database::WaitWhileBusy(void* self, int attempt)
{
    // SQLite calls this under the connection's own mutex, so the start time needs no further lock.
    auto* database = static_cast<Database*>(self);
    const auto clock = CurrentClock();
    const std::chrono::milliseconds now = clock->Uptime();
    if (attempt == 0)
        database->m_busySince = now;
    const std::chrono::milliseconds waited = now - database->m_busySince;
    if (waited >= kBusyTimeout)
        return 0;
    const size_t index = std::min(static_cast<size_t>(attempt), std::size(kBusySteps) - 1);
    const std::chrono::milliseconds step = std::min(kBusySteps[index], kBusyTimeout - waited);
    Sleep(static_cast<DWORD>(step.count()));
    // A sleep cut short means the thread was asked to stop: give up instead of spinning.
    return clock->Uptime() >= now + step ? 1 : 0;
}

void Database::Fail(int code, std::string_view context)
{
    std::string message = sqlite3_errmsg(m_db);
    if (!context.empty())
        message += " (" + std::string(context) + ")";
    throw DbError(message, code);
}

TranslatedSql Database::Translate(std::string_view jetSql)
{
    std::lock_guard lock(m_mutex);
    return Prepare(jetSql).translated;
}

Database::CachedStatement& Database::Prepare(std::string_view jetSql)
{
    const std::string key(jetSql);
    if (const auto found = m_cache.find(key); found != m_cache.end())
        return *found->second;
    auto entry = std::make_unique<CachedStatement>();
    std::string error;
    if (!TranslateJetSql(jetSql, entry->translated, error))
        throw DbError("Syntax error in the statement: " + error);
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const std::string& sql = entry->translated.sql;
    const int rc = sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt, &tail);
    if (rc != SQLITE_OK)
        Fail(rc);
    entry->stmt.reset(stmt);
    if (!stmt)
        throw DbError("The statement is empty.");
    if (tail && !TrimmedCopy(tail).empty())
        throw DbError("Characters found after end of SQL statement.");
    if (m_cache.size() >= kStatementCacheLimit)
        m_cache.clear();
    return *m_cache.emplace(key, std::move(entry)).first->second;
}

QueryResult Database::Execute(std::string_view jetSql, const std::vector<DbValue>& parameters)
{
    std::lock_guard lock(m_mutex);
    CachedStatement& entry = Prepare(jetSql);
    return Run(entry.stmt.get(), &entry.translated, parameters);
}

void Database::ExecuteNative(const std::string& sql)
{
    std::lock_guard lock(m_mutex);
    m_queryMemo.ForgetUnlessSavepointMark(sql);
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message);
    // The memo lasts one transaction: a read-only one ends without SQLite's commit hook.
    if (sqlite3_get_autocommit(m_db))
        m_queryMemo.Forget();
    if (rc != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errstr(rc);
        sqlite3_free(message);
        throw DbError(text, sqlite3_extended_errcode(m_db));
    }
}

QueryResult Database::QueryNative(const std::string& sql, const std::vector<DbValue>& parameters)
{
    std::lock_guard lock(m_mutex);
    // The catalog's look-ups run for every stored query a statement names: preparing them each time
    // would cost more than running them.
    if (const auto found = m_nativeCache.find(sql); found != m_nativeCache.end())
        return Run(found->second->stmt.get(), nullptr, parameters);
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(m_db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &raw, &tail);
    if (rc != SQLITE_OK)
        Fail(rc);
    auto entry = std::make_unique<CachedStatement>();
    entry->stmt.reset(raw);
    if (!raw || (tail && !TrimmedCopy(tail).empty()))
        throw DbError("Exactly one statement was expected.");
    if (m_nativeCache.size() >= kStatementCacheLimit)
        m_nativeCache.clear();
    return Run(m_nativeCache.emplace(sql, std::move(entry)).first->second->stmt.get(), nullptr, parameters);
}

bool Database::HasTable(const std::string& name)
{
    std::lock_guard lock(m_mutex);
    return sqlite3_table_column_metadata(m_db, "main", name.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)
        == SQLITE_OK;
}

bool Database::InTransaction()
{
    std::lock_guard lock(m_mutex);
    return sqlite3_get_autocommit(m_db) == 0;
}

std::int64_t Database::LastInsertRowId()
{
    std::lock_guard lock(m_mutex);
    return sqlite3_last_insert_rowid(m_db);
}

QueryResult Database::Run(sqlite3_stmt* stmt, const TranslatedSql* translated, const std::vector<DbValue>& parameters)
{
    // Whatever happens, the statement goes back to the cache reset and unbound.
    struct ResetGuard {
        sqlite3_stmt* stmt;
        ~ResetGuard()
        {
            sqlite3_reset(stmt);
            sqlite3_clear_bindings(stmt);
        }
    } guard { stmt };

    const int expected = sqlite3_bind_parameter_count(stmt);
    if (static_cast<int>(parameters.size()) < expected)
        throw DbError("No value given for one or more required parameters. Expected " + std::to_string(expected) + ", given "
            + std::to_string(parameters.size()) + ".");
    for (int i = 0; i < expected; ++i) {
        const JetParamType type = translated && i < static_cast<int>(translated->parameters.size())
            ? translated->parameters[static_cast<size_t>(i)].type
            : JetParamType::Variant;
        BindValue(stmt, i + 1, CoerceToParameterType(parameters[static_cast<size_t>(i)], type));
    }

    QueryResult result;
    const int columnCount = sqlite3_column_count(stmt);
    result.returnsRows = columnCount > 0;
    for (;;) {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            Fail(sqlite3_extended_errcode(m_db));
        std::vector<DbValue> row;
        row.reserve(static_cast<size_t>(columnCount));
        for (int c = 0; c < columnCount; ++c)
            row.push_back(ColumnValue(stmt, c));
        result.rows.push_back(std::move(row));
    }
    if (!result.returnsRows) {
        result.rowsAffected = sqlite3_changes64(m_db);
        return result;
    }
    if (translated)
        DescribeColumns(stmt, result);
    return result;
}

void Database::DescribeColumns(sqlite3_stmt* stmt, QueryResult& result)
{
    const int columnCount = sqlite3_column_count(stmt);
    std::multiset<std::string, LessNoCase> names;
    for (int c = 0; c < columnCount; ++c) {
        ResultColumn column;
        column.name = sqlite3_column_name(stmt, c);
        if (const char* table = sqlite3_column_table_name(stmt, c))
            column.table = table;
        if (const char* origin = sqlite3_column_origin_name(stmt, c))
            column.origin = origin;
        if (const char* declared = sqlite3_column_decltype(stmt, c))
            column.type = ColumnTypeFromDeclared(declared);
        if (column.type.type == adEmpty) {
            // An expression: typed by its values, as the engine types a computed column.
            column.type = { adVarWChar, 255 };
            for (const auto& row : result.rows) {
                const DbValue& value = row[static_cast<size_t>(c)];
                if (std::holds_alternative<std::int64_t>(value))
                    column.type = { adInteger, 4 };
                else if (std::holds_alternative<double>(value))
                    column.type = { adDouble, 8 };
                else if (std::holds_alternative<DbBlob>(value))
                    column.type = { adLongVarBinary, 0 };
                if (!IsNull(value))
                    break;
            }
        }
        names.insert(column.name);
        result.columns.push_back(std::move(column));
    }
    // Columns that share a name but come from different tables are told apart by their table's
    // name; the same column selected twice ("t.Key, t.*") keeps its plain name.
    std::vector<std::string> qualified(result.columns.size());
    for (size_t c = 0; c < result.columns.size(); ++c) {
        const auto& column = result.columns[c];
        if (names.count(column.name) < 2 || column.table.empty())
            continue;
        for (const auto& other : result.columns)
            if (EqualsNoCase(other.name, column.name) && (!EqualsNoCase(other.table, column.table) || !EqualsNoCase(other.origin, column.origin)))
                qualified[c] = column.table + "." + column.name;
    }
    for (size_t c = 0; c < result.columns.size(); ++c)
        if (!qualified[c].empty())
            result.columns[c].name = qualified[c];
}

DbValue Database::DomainAggregate(bool maximum, std::string_view field, std::string_view table, std::string_view criteria)
{
    std::lock_guard lock(m_mutex);
    const std::string tableName = StripBrackets(table);
    const std::string fieldName = StripBrackets(field);
    // Both names may come from bound values: they are looked up in the schema and only the
    // schema's own spelling, quoted, goes into the statement.
    const QueryResult tables = QueryNative("SELECT name FROM sqlite_schema WHERE type='table' AND name=?1 COLLATE NOCASE",
        { DbValue(tableName) });
    if (tables.rows.empty())
        throw DbError("The table '" + tableName + "' does not exist.");
    const std::string realTable = std::get<std::string>(tables.rows[0][0]);
    const QueryResult columns = QueryNative("SELECT name FROM pragma_table_info(?1) WHERE name=?2 COLLATE NOCASE",
        { DbValue(realTable), DbValue(fieldName) });
    if (columns.rows.empty())
        throw DbError("The field '" + fieldName + "' is not in the table '" + realTable + "'.");
    const std::string realField = std::get<std::string>(columns.rows[0][0]);

    std::string sql = std::string(maximum ? "SELECT MAX(" : "SELECT MIN(") + QuoteNativeName(realField) + ") FROM "
        + QuoteNativeName(realTable);
    if (!TrimmedCopy(criteria).empty()) {
        TranslatedSql condition;
        std::string error;
        if (!TranslateJetSql(criteria, condition, error))
            throw DbError("Syntax error in the criteria: " + error);
        if (!condition.parameters.empty())
            throw DbError("The criteria '" + std::string(criteria) + "' names a parameter.");
        sql += " WHERE (" + condition.sql + ")";
    }
    const QueryResult result = QueryNative(sql);
    return result.rows.empty() ? DbValue(DbNull {}) : result.rows[0][0];
}

} // namespace platform::ado
