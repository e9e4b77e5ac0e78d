#include "platform/ado/RowSet.h"

#include "platform/ado/DbError.h"
#include "platform/base/CaseFold.h"

#include <algorithm>
#include <set>

namespace platform::ado {

namespace {

// The order of two values as the engine sorts: Null first, numbers by value, text without case.
int CompareValues(const DbValue& a, const DbValue& b)
{
    if (IsNull(a) || IsNull(b))
        return IsNull(a) == IsNull(b) ? 0 : (IsNull(a) ? -1 : 1);
    const auto number = [](const DbValue& v, double& out) {
        if (const auto* i = std::get_if<std::int64_t>(&v))
            out = static_cast<double>(*i);
        else if (const auto* d = std::get_if<double>(&v))
            out = *d;
        else
            return false;
        return true;
    };
    double x = 0, y = 0;
    const bool xn = number(a, x), yn = number(b, y);
    if (xn && yn)
        return x < y ? -1 : (x > y ? 1 : 0);
    if (xn != yn)
        return xn ? -1 : 1;
    const auto* s = std::get_if<std::string>(&a);
    const auto* t = std::get_if<std::string>(&b);
    if (s && t)
        return CompareNoCase(*s, *t);
    return 0;
}

} // namespace

RowSet::RowSet(QueryResult result)
    : m_columns(std::move(result.columns))
{
    m_rows.reserve(result.rows.size());
    for (auto& values : result.rows)
        m_rows.push_back({ std::move(values), m_nextSequence++ });
}

long RowSet::FindColumn(std::string_view name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (EqualsNoCase(m_columns[i].name, name))
            return static_cast<long>(i);
    // A qualified duplicate is also found by its plain column name.
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (EqualsNoCase(m_columns[i].origin, name))
            return static_cast<long>(i);
    return -1;
}

std::string RowSet::BaseTable() const
{
    for (const auto& column : m_columns)
        if (!column.table.empty())
            return column.table;
    throw DbError("The record set has no table to write to.");
}

std::int64_t RowSet::FindRowid(Database& db, const std::string& table, size_t row) const
{
    std::string sql = "SELECT rowid FROM " + QuoteNativeName(table) + " WHERE ";
    std::vector<DbValue> parameters;
    std::set<std::string, LessNoCase> seen;
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const auto& column = m_columns[c];
        if (!EqualsNoCase(column.table, table) || column.origin.empty() || !seen.insert(column.origin).second)
            continue;
        if (!parameters.empty())
            sql += " AND ";
        parameters.push_back(m_rows[row].values[c]);
        sql += QuoteNativeName(column.origin) + " IS ?" + std::to_string(parameters.size());
    }
    if (parameters.empty())
        throw DbError("The row cannot be found in the table '" + table + "'.");
    sql += " LIMIT 1";
    const auto found = db.QueryNative(sql, parameters);
    if (found.rows.empty())
        throw DbError("The row could not be located: it was changed or deleted since it was read.");
    return std::get<std::int64_t>(found.rows[0][0]);
}

void RowSet::ReadBack(Database& db, const std::string& table, std::int64_t rowid, std::vector<DbValue>& values) const
{
    std::string sql = "SELECT ";
    std::vector<size_t> positions;
    for (size_t c = 0; c < m_columns.size(); ++c) {
        if (!EqualsNoCase(m_columns[c].table, table) || m_columns[c].origin.empty())
            continue;
        if (!positions.empty())
            sql += ", ";
        sql += QuoteNativeName(m_columns[c].origin);
        positions.push_back(c);
    }
    if (positions.empty())
        return;
    sql += " FROM " + QuoteNativeName(table) + " WHERE rowid = ?1";
    const auto result = db.QueryNative(sql, { DbValue(rowid) });
    if (result.rows.empty())
        return;
    for (size_t k = 0; k < positions.size(); ++k)
        values[positions[k]] = result.rows[0][k];
}

void RowSet::UpdateRow(Database& db, size_t row, const std::map<size_t, DbValue>& changes)
{
    std::lock_guard lock(db.Mutex());
    std::map<std::string, std::vector<size_t>, LessNoCase> byTable;
    for (const auto& [column, value] : changes) {
        if (m_columns[column].table.empty() || m_columns[column].origin.empty())
            throw DbError("The field '" + m_columns[column].name + "' is computed and cannot be written.");
        byTable[m_columns[column].table].push_back(column);
    }
    std::vector<DbValue> values = m_rows[row].values;
    db.ExecuteNative("SAVEPOINT ts_row_update");
    try {
        for (const auto& [table, columns] : byTable) {
            const std::int64_t rowid = FindRowid(db, table, row);
            std::string sql = "UPDATE " + QuoteNativeName(table) + " SET ";
            std::vector<DbValue> parameters;
            for (size_t column : columns) {
                if (!parameters.empty())
                    sql += ", ";
                parameters.push_back(changes.at(column));
                sql += QuoteNativeName(m_columns[column].origin) + " = ?" + std::to_string(parameters.size());
            }
            parameters.emplace_back(rowid);
            sql += " WHERE rowid = ?" + std::to_string(parameters.size());
            db.QueryNative(sql, parameters);
            ReadBack(db, table, rowid, values);
        }
        db.ExecuteNative("RELEASE ts_row_update");
    } catch (...) {
        db.ExecuteNative("ROLLBACK TO ts_row_update; RELEASE ts_row_update");
        throw;
    }
    m_rows[row].values = std::move(values);
}

size_t RowSet::InsertRow(Database& db, const std::map<size_t, DbValue>& values)
{
    std::lock_guard lock(db.Mutex());
    const std::string table = BaseTable();
    std::string names;
    std::string placeholders;
    std::vector<DbValue> parameters;
    std::set<std::string, LessNoCase> seen;
    for (const auto& [column, value] : values) {
        if (!EqualsNoCase(m_columns[column].table, table) || m_columns[column].origin.empty())
            throw DbError("The field '" + m_columns[column].name + "' does not belong to the table '" + table + "'.");
        if (!seen.insert(m_columns[column].origin).second)
            continue;
        if (!parameters.empty()) {
            names += ", ";
            placeholders += ", ";
        }
        parameters.push_back(value);
        names += QuoteNativeName(m_columns[column].origin);
        placeholders += '?';
        placeholders += std::to_string(parameters.size());
    }
    const std::string sql = parameters.empty()
        ? "INSERT INTO " + QuoteNativeName(table) + " DEFAULT VALUES"
        : "INSERT INTO " + QuoteNativeName(table) + " (" + names + ") VALUES (" + placeholders + ")";
    db.QueryNative(sql, parameters);
    std::vector<DbValue> stored(m_columns.size(), DbValue(DbNull {}));
    for (const auto& [column, value] : values)
        stored[column] = value;
    ReadBack(db, table, db.LastInsertRowId(), stored);
    m_rows.push_back({ std::move(stored), m_nextSequence++ });
    return m_rows.size() - 1;
}

void RowSet::DeleteRow(Database& db, size_t row)
{
    std::lock_guard lock(db.Mutex());
    const std::string table = BaseTable();
    const std::int64_t rowid = FindRowid(db, table, row);
    db.QueryNative("DELETE FROM " + QuoteNativeName(table) + " WHERE rowid = ?1", { DbValue(rowid) });
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(row));
}

bool RowSet::Sort(std::string_view criteria)
{
    struct Key {
        size_t column;
        bool descending;
    };
    std::vector<Key> keys;
    size_t i = 0;
    while (i < criteria.size()) {
        size_t comma = criteria.find(',', i);
        if (comma == std::string_view::npos)
            comma = criteria.size();
        std::string part(criteria.substr(i, comma - i));
        i = comma + 1;
        while (!part.empty() && part.back() == ' ')
            part.pop_back();
        while (!part.empty() && part.front() == ' ')
            part.erase(part.begin());
        if (part.empty())
            continue;
        bool descending = false;
        const size_t blank = part.rfind(' ');
        if (blank != std::string::npos) {
            const std::string direction = part.substr(blank + 1);
            if (EqualsNoCase(direction, "DESC") || EqualsNoCase(direction, "ASC")) {
                descending = EqualsNoCase(direction, "DESC");
                part.erase(blank);
                while (!part.empty() && part.back() == ' ')
                    part.pop_back();
            }
        }
        if (part.size() >= 2 && part.front() == '[' && part.back() == ']')
            part = part.substr(1, part.size() - 2);
        const long column = FindColumn(part);
        if (column < 0)
            return false;
        keys.push_back({ static_cast<size_t>(column), descending });
    }
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const StoredRow& a, const StoredRow& b) {
        for (const auto& key : keys) {
            const int order = CompareValues(a.values[key.column], b.values[key.column]);
            if (order != 0)
                return key.descending ? order > 0 : order < 0;
        }
        return a.sequence < b.sequence;
    });
    return true;
}

} // namespace platform::ado
