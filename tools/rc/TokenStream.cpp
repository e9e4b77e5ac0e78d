#include "tools/rc/TokenStream.h"

#include <strings.h>

namespace rc {

TokenStream::TokenStream(std::vector<Token> tokens)
    : m_tokens(std::move(tokens))
{
    if (!m_tokens.empty())
        m_end.location = m_tokens.back().location;
}

const Token& TokenStream::Peek(std::size_t ahead) const
{
    return m_pos + ahead < m_tokens.size() ? m_tokens[m_pos + ahead] : m_end;
}

const Token& TokenStream::Next()
{
    const Token& t = Peek();
    if (m_pos < m_tokens.size())
        ++m_pos;
    return t;
}

bool TokenStream::Accept(std::string_view p)
{
    if (!Peek().IsPunctuator(p))
        return false;
    ++m_pos;
    return true;
}

bool TokenStream::IsKeyword(std::string_view keyword, std::size_t ahead) const
{
    const Token& t = Peek(ahead);
    return t.kind == TokenKind::Identifier && t.text.size() == keyword.size()
        && strncasecmp(t.text.data(), keyword.data(), keyword.size()) == 0;
}

bool TokenStream::AcceptKeyword(std::string_view keyword)
{
    if (!IsKeyword(keyword))
        return false;
    ++m_pos;
    return true;
}

void TokenStream::Expect(std::string_view p, std::string_view what)
{
    if (!Accept(p))
        Fail("expected " + std::string(what));
}

bool TokenStream::AcceptBlockStart() { return Accept("{") || AcceptKeyword("BEGIN"); }

bool TokenStream::AcceptBlockEnd() { return Accept("}") || AcceptKeyword("END"); }

void TokenStream::Fail(const std::string& message) const
{
    const Token& t = Peek();
    std::string found;
    switch (t.kind) {
    case TokenKind::End:
        found = "end of file";
        break;
    case TokenKind::String:
    case TokenKind::WideString:
        found = "a string";
        break;
    case TokenKind::Number:
        found = std::to_string(t.value);
        break;
    default:
        found = "'" + t.text + "'";
    }
    throw ScriptError(t.location, message + " (found " + found + ")");
}

} // namespace rc
