#pragma once
// Splits a statement of the engine's dialect into tokens, so that the translator can rewrite it
// without ever looking inside a literal by mistake.

#include <string>
#include <string_view>
#include <vector>

namespace platform::ado {

enum class JetTokenKind {
    Space, // a run of blanks, tabs and line breaks
    Word, // a bare name or keyword (also "@@IDENTITY")
    Bracketed, // [name]: value holds the name without brackets
    String, // '...' or "...": value holds the text with doubled quotes undone
    Date, // #...#: value holds the text between the '#'
    Number,
    Punct, // an operator or other character; "<>", "<=", ">=", "!=", "||" are one token
};

struct JetToken {
    JetTokenKind kind { JetTokenKind::Punct };
    std::string text; // as written
    std::string value; // see JetTokenKind
};

// The tokens of 'sql'; false with a message in 'error' for an unterminated literal or bracket.
bool TokenizeJetSql(std::string_view sql, std::vector<JetToken>& tokens, std::string& error);

} // namespace platform::ado
