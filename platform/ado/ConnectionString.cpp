#include "platform/ado/ConnectionString.h"

#include "platform/base/CaseFold.h"
#include "platform/base/Paths.h"

namespace platform::ado {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::optional<std::string> ConnectionStringValue(std::string_view text, std::string_view key)
{
    size_t i = 0;
    while (i < text.size()) {
        const size_t equals = text.find('=', i);
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view name = Trim(text.substr(i, equals - i));
        size_t j = equals + 1;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t'))
            ++j;
        std::string value;
        if (j < text.size() && (text[j] == '"' || text[j] == '\'')) {
            const char quote = text[j];
            const size_t close = text.find(quote, j + 1);
            const size_t end = close == std::string_view::npos ? text.size() : close;
            value = std::string(text.substr(j + 1, end - j - 1));
            j = text.find(';', end);
        } else {
            const size_t semicolon = text.find(';', j);
            value = std::string(Trim(text.substr(j, semicolon == std::string_view::npos ? std::string_view::npos : semicolon - j)));
            j = semicolon;
        }
        if (EqualsNoCase(name, key))
            return value;
        if (j == std::string_view::npos)
            return std::nullopt;
        i = j + 1;
    }
    return std::nullopt;
}

std::optional<std::string> DataSourcePath(std::string_view connectionString)
{
    const auto source = ConnectionStringValue(connectionString, "Data Source");
    if (!source || source->empty())
        return std::nullopt;
    return ToNativePath(*source);
}

} // namespace platform::ado
