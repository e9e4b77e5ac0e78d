#pragma once
// How a column's type is written into the SQLite schema and read back: the declared type names a
// column type of the data-access objects, so a result column knows its type from SQLite alone.

#include "platform/ado/AdoConstants.h"

#include <string>
#include <string_view>

namespace platform::ado {

struct ColumnType {
    DataTypeEnum type { adEmpty };
    std::int32_t definedSize { 0 }; // characters for text, bytes otherwise
};

// The column type of a declared type ("INTEGER", "TEXT(50)", "YESNO"...); adEmpty when it names none.
ColumnType ColumnTypeFromDeclared(std::string_view declared);
// The declared type that stands for a column type; text columns compare without regard to case.
std::string DeclaredFromColumnType(ColumnType column);
// The size the engine reports for a fixed-size type (4 for Long, 2 for Yes/No, 8 for a date...).
std::int32_t FixedSizeOf(DataTypeEnum type);

} // namespace platform::ado
