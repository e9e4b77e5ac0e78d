#pragma once
// Reading the provider texts the program builds ("Provider=...;Data Source=<path>;...").

#include <optional>
#include <string>
#include <string_view>

namespace platform::ado {

// The value of a key of a connection string (keys compare without regard to case, blanks around
// them ignored, a value may be quoted); nullopt when the key is absent.
std::optional<std::string> ConnectionStringValue(std::string_view connectionString, std::string_view key);
// The native path of the file named by "Data Source"; nullopt when the string names none.
std::optional<std::string> DataSourcePath(std::string_view connectionString);

} // namespace platform::ado
