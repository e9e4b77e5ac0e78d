#pragma once
// The rows of an open record set (a static cursor holds them all) and the writes that go back to
// the tables they came from. A row is found again by the values its columns had when read, so the
// optimistic lock of the record set is the row itself: a row changed meanwhile is not overwritten.

#include "platform/ado/Database.h"
#include "platform/ado/QueryResult.h"

#include <map>
#include <string>
#include <vector>

namespace platform::ado {

class RowSet {
public:
    explicit RowSet(QueryResult result);

    const std::vector<ResultColumn>& Columns() const { return m_columns; }
    size_t RowCount() const { return m_rows.size(); }
    const std::vector<DbValue>& Row(size_t row) const { return m_rows[row].values; }
    // The position of a column by name (case ignored); -1 when none has it.
    long FindColumn(std::string_view name) const;

    // Writes changed fields of a row to its tables and reads the row back as stored.
    void UpdateRow(Database& db, size_t row, const std::map<size_t, DbValue>& changes);
    // Inserts a row with the given fields into the table of the record set and appends it as
    // stored (with its new counter value and defaults); returns its position.
    size_t InsertRow(Database& db, const std::map<size_t, DbValue>& values);
    // Deletes a row from its table and from the set.
    void DeleteRow(Database& db, size_t row);

    // Orders the rows by "Name [ASC|DESC], ..."; an empty text restores the order they came in.
    // False when the text names a field the set does not have (the order is kept).
    bool Sort(std::string_view criteria);

private:
    struct StoredRow {
        std::vector<DbValue> values;
        size_t sequence { 0 };
    };

    std::string BaseTable() const;
    std::int64_t FindRowid(Database& db, const std::string& table, size_t row) const;
    void ReadBack(Database& db, const std::string& table, std::int64_t rowid, std::vector<DbValue>& values) const;

    std::vector<ResultColumn> m_columns;
    std::vector<StoredRow> m_rows;
    size_t m_nextSequence { 0 };
};

} // namespace platform::ado
