#pragma once
// One value as it crosses the SQLite boundary. The data-access objects turn it into a VARIANT of the
// column's type; the core below them never needs the component model.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace platform::ado {

struct DbNull {
    bool operator==(const DbNull&) const = default;
};

using DbBlob = std::vector<std::uint8_t>;

// Null, a 64-bit integer, a double, UTF-8 text or bytes: SQLite's storage classes.
using DbValue = std::variant<DbNull, std::int64_t, double, std::string, DbBlob>;

// True when the value is Null.
inline bool IsNull(const DbValue& value) { return std::holds_alternative<DbNull>(value); }

} // namespace platform::ado
