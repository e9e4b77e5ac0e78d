#pragma once
// The named queries stored in every library file. Positions are fixed: the upgrade leaves a fixed
// set of them out, and callers run the queries by name with their parameters by position.

#include <array>
#include <cstddef>

// One stored query: the date its statement last changed ("mm/dd/yyyy"), its name and its statement
// in the engine's dialect.
struct StoredQueryEntry {
    const char* date;
    const char* name;
    const char* statement;
};

inline constexpr std::size_t kStoredQueryCount = 134;

// The 134 entries at their positions 0 to 133.
extern const std::array<StoredQueryEntry, kStoredQueryCount> StoredQueryCatalogue;

// True for the synchronisation queries (positions 102 to 106, 122 to 127 and 129 to 133) that the
// upgrade neither creates nor replaces: only a new library file gets them.
constexpr bool IsLeftOutOfUpgrade(std::size_t position)
{
    return (position >= 102 && position <= 106) || (position >= 122 && position <= 127)
        || (position >= 129 && position <= 133);
}
