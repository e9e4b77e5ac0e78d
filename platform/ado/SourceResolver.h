#pragma once
// What a record set's or command's source text stands for: SQL text, a stored query's name or a
// table's name (which may be followed by " ORDER BY ..."), read by the command-type option.

#include "platform/ado/Database.h"

#include <string>
#include <string_view>

namespace platform::ado {

struct ResolvedSource {
    std::string statement; // the dialect's text to run
    std::string clientSort; // a sort the rows get after a stored query (from "name ORDER BY ...")
};

// Resolves a source under a command type (adCmdText, adCmdTable, adCmdStoredProc, adCmdUnknown...);
// throws DbError when a name that must be a stored query or table is neither.
ResolvedSource ResolveSource(Database& db, std::string_view source, long commandType);

} // namespace platform::ado
