#include "platform/ado/SourceResolver.h"

#include "platform/ado/AdoConstants.h"
#include "platform/ado/CatalogStore.h"
#include "platform/ado/DbError.h"
#include "platform/base/CaseFold.h"

namespace platform::ado {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n' || s.back() == ';'))
        s.remove_suffix(1);
    return s;
}

bool IsNameChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}

// "name" or "[name]", optionally followed by "ORDER BY ..."; false when the text is other SQL.
bool SplitName(std::string_view text, std::string& name, std::string& orderBy)
{
    text = Trim(text);
    size_t end = 0;
    if (!text.empty() && text.front() == '[') {
        end = text.find(']');
        if (end == std::string_view::npos)
            return false;
        name = std::string(text.substr(1, end - 1));
        ++end;
    } else {
        while (end < text.size() && IsNameChar(text[end]))
            ++end;
        name = std::string(text.substr(0, end));
    }
    if (name.empty())
        return false;
    const std::string_view rest = Trim(text.substr(end));
    if (rest.empty()) {
        orderBy.clear();
        return true;
    }
    if (rest.size() > 8 && EqualsNoCase(rest.substr(0, 5), "ORDER")) {
        std::string_view by = Trim(rest.substr(5));
        if (by.size() > 2 && EqualsNoCase(by.substr(0, 2), "BY") && (by[2] == ' ' || by[2] == '\t' || by[2] == '[')) {
            orderBy = std::string(Trim(by.substr(2)));
            return true;
        }
    }
    return false;
}

std::string QuoteName(std::string_view name)
{
    std::string quoted = "[";
    for (char c : name)
        if (c != ']')
            quoted += c;
    return quoted + "]";
}

} // namespace

ResolvedSource ResolveSource(Database& db, std::string_view source, long commandType)
{
    const long kind = commandType & (adCmdText | adCmdTable | adCmdStoredProc | adCmdUnknown | adCmdTableDirect);
    std::string name;
    std::string orderBy;
    if (!SplitName(source, name, orderBy)) {
        if (kind == adCmdTable || kind == adCmdTableDirect || kind == adCmdStoredProc)
            throw DbError("'" + std::string(Trim(source)) + "' names no table or query.");
        return { std::string(source), {} };
    }
    CatalogStore catalog(db);
    if (kind != adCmdTable && kind != adCmdTableDirect) {
        if (const auto query = catalog.FindQuery(name))
            return { query->statement, orderBy };
    }
    {
        if (const auto table = catalog.LoadTable(name)) {
            std::string statement = "SELECT * FROM " + QuoteName(table->name);
            if (!orderBy.empty())
                statement += " ORDER BY " + orderBy;
            return { statement, {} };
        }
        if (kind == adCmdTable || kind == adCmdTableDirect) {
            if (const auto query = catalog.FindQuery(name))
                return { query->statement, orderBy };
        }
    }
    if (kind == adCmdText && orderBy.empty() && name.size() == Trim(source).size())
        return { std::string(source), {} }; // a bare word of SQL: let the engine say what is wrong
    throw DbError("The database engine cannot find the input table or query '" + name + "'.");
}

} // namespace platform::ado
