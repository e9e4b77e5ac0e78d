#include "platform/ado/Compaction.h"

#include "platform/ado/Database.h"
#include "platform/ado/DbError.h"

#include <filesystem>

namespace platform::ado {

void CompactDatabaseFile(const std::string& source, const std::string& destination)
{
    std::error_code ec;
    if (std::filesystem::exists(destination, ec))
        throw DbError("The database '" + destination + "' already exists.");
    if (std::filesystem::equivalent(source, destination, ec))
        throw DbError("The source and the destination are the same file.");
    const auto database = Database::Open(source, false);
    try {
        database->QueryNative("VACUUM INTO ?1", { DbValue(destination) });
    } catch (const DbError&) {
        std::filesystem::remove(destination, ec);
        std::filesystem::remove(destination + "-journal", ec);
        throw;
    }
}

} // namespace platform::ado
