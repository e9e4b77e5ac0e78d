#include "tools/rc/ScriptValues.h"

#include "tools/rc/Utf.h"

namespace rc {

std::int64_t ReadNumber(TokenStream& tokens, std::string_view what, std::int64_t min, std::int64_t max,
    const ConstantExpression::IdentifierValue& identifiers)
{
    const SourceLocation where = tokens.Peek().location;
    if (!ConstantExpression::StartsExpression(tokens.Peek()))
        tokens.Fail("expected " + std::string(what));
    const auto none = [](const Token&) { return std::optional<std::int64_t>(); };
    const std::int64_t v = ConstantExpression::Evaluate(tokens, identifiers ? identifiers : none).value;
    if (v < min || v > max)
        throw ScriptError(where,
            std::string(what) + " " + std::to_string(v) + " is out of range (" + std::to_string(min) + " to "
                + std::to_string(max) + ")");
    return v;
}

bool AtText(const TokenStream& tokens)
{
    const TokenKind kind = tokens.Peek().kind;
    return kind == TokenKind::String || kind == TokenKind::WideString;
}

std::u16string ReadText(TokenStream& tokens, std::string_view what)
{
    if (!AtText(tokens))
        tokens.Fail("expected " + std::string(what));
    std::u16string text;
    while (AtText(tokens)) {
        const Token& literal = tokens.Next();
        if (literal.kind == TokenKind::WideString) {
            text += literal.wide;
        } else if (auto units = Utf8ToUtf16(literal.text)) {
            text += *units;
        } else {
            throw ScriptError(literal.location, "the text of " + std::string(what) + " is not valid UTF-8");
        }
    }
    return text;
}

} // namespace rc
