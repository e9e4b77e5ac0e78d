#pragma once
// Turns a statement of the engine's dialect into one that SQLite prepares. The work is done once per
// statement text and cached by the connection (Database), so it never sits on the per-row path.

#include <string>
#include <string_view>
#include <vector>

namespace platform::ado {

// The type a PARAMETERS clause gives a parameter; bound values are coerced to it.
enum class JetParamType { Variant, Long, Short, Byte, Text, Memo, DateTime, Bit, Double, Single, Currency };

struct JetParameter {
    std::string name; // as declared or written, without brackets
    JetParamType type { JetParamType::Variant };
};

enum class JetStatementKind { Select, Insert, Update, Delete, Other };

struct TranslatedSql {
    std::string sql; // SQLite text; parameter i (from 0) is written ?(i+1)
    std::vector<JetParameter> parameters; // the binding order: declared ones first, then by first use
    JetStatementKind kind { JetStatementKind::Other };
    bool declaresParameters { false }; // the statement began with a PARAMETERS clause
};

// Translates one statement; false with the reason in 'error' when it cannot be translated.
bool TranslateJetSql(std::string_view jet, TranslatedSql& out, std::string& error);

// The parameter type named by the words of a PARAMETERS declaration ("Long", "Text ( 255 )", "Bit").
JetParamType JetParamTypeFromName(std::string_view typeWords);

// A name written as an SQLite identifier: in double quotes, with any double quote in it doubled.
std::string QuoteNativeName(std::string_view name);

} // namespace platform::ado
