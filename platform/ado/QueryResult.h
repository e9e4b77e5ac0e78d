#pragma once
// What one statement gave back: its columns with their types and, for a row query, every row (a
// static cursor holds all of its rows, so a result never needs the connection again).

#include "platform/ado/ColumnTypes.h"
#include "platform/ado/DbValue.h"

#include <string>
#include <vector>

namespace platform::ado {

struct ResultColumn {
    std::string name; // the result's name; qualified as "table.column" when two columns share one
    std::string table; // the table the value comes from, empty for an expression
    std::string origin; // the column of that table, empty for an expression
    ColumnType type;
};

struct QueryResult {
    bool returnsRows { false }; // the statement is a row query (even one without rows)
    std::vector<ResultColumn> columns;
    std::vector<std::vector<DbValue>> rows;
    std::int64_t rowsAffected { 0 }; // for an action statement
};

} // namespace platform::ado
