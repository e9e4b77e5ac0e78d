#pragma once
// The fixed rows a new library file starts with in its six lookup tables. Every value is the text
// written into the column; the database converts it to the column's type ("true"/"false" for Yes/No).

#include <array>
#include <cstddef>

// One lookup table: its rows, each of columnCount texts in the table's column order, row after row.
struct LookupTable {
    const char* tableName;
    std::size_t columnCount;
    std::size_t rowCount;
    const char* const* values;

    // The text of one cell.
    const char* Value(std::size_t row, std::size_t column) const { return values[row * columnCount + column]; }
};

inline constexpr std::size_t kLookupTableCount = 6;

// The six tables in the order a new library fills them: genres, marital status, movie ratings,
// time zones, sub-genres, radio genres.
extern const std::array<LookupTable, kLookupTableCount> LookupRowTables;
