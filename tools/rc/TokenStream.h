#pragma once
// A cursor over the tokens of a script, for the statement parser and the expression evaluator.

#include <string_view>
#include <vector>

#include "tools/rc/Token.h"

namespace rc {

class TokenStream {
public:
    explicit TokenStream(std::vector<Token> tokens);

    // The token `ahead` places on; an End token (placed at the last real token) past the end.
    const Token& Peek(std::size_t ahead = 0) const;
    // Consumes and returns the current token.
    const Token& Next();
    bool AtEnd() const { return m_pos >= m_tokens.size(); }

    // True, consuming it, when the current token is the punctuator `p`.
    bool Accept(std::string_view p);
    // True, consuming it, when the current token is the identifier `keyword` in any case.
    bool AcceptKeyword(std::string_view keyword);
    // True when the current token is the identifier `keyword` in any case.
    bool IsKeyword(std::string_view keyword, std::size_t ahead = 0) const;
    // Consumes the punctuator `p` or throws "expected <what>".
    void Expect(std::string_view p, std::string_view what);

    // True, consuming it, at "{" or BEGIN; true at "}" or END.
    bool AcceptBlockStart();
    bool AcceptBlockEnd();

    // Throws ScriptError at the current token.
    [[noreturn]] void Fail(const std::string& message) const;

private:
    std::vector<Token> m_tokens;
    std::size_t m_pos { 0 };
    Token m_end;
};

} // namespace rc
