#pragma once
// Compaction: a new, compact copy of a library file.

#include <string>

namespace platform::ado {

// Copies the database at 'source' into the new file 'destination' (native paths) with SQLite's
// VACUUM INTO. An existing destination is refused; the source is only read; a destination that a
// failure left half-written is removed. Throws DbError.
void CompactDatabaseFile(const std::string& source, const std::string& destination);

} // namespace platform::ado
