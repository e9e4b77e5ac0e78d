#include "tools/rc/ConstantExpression.h"

#include <array>

namespace rc {

namespace {

struct BinaryOperator {
    std::string_view text;
    int precedence;
};

// Higher binds tighter; the conditional operator sits below all of these.
constexpr std::array<BinaryOperator, 18> kBinary { {
    { "||", 1 },
    { "&&", 2 },
    { "|", 3 },
    { "^", 4 },
    { "&", 5 },
    { "==", 6 },
    { "!=", 6 },
    { "<", 7 },
    { ">", 7 },
    { "<=", 7 },
    { ">=", 7 },
    { "<<", 8 },
    { ">>", 8 },
    { "+", 9 },
    { "-", 9 },
    { "*", 10 },
    { "/", 10 },
    { "%", 10 },
} };

int PrecedenceOf(const Token& t)
{
    if (t.kind != TokenKind::Punctuator)
        return 0;
    for (const auto& op : kBinary) {
        if (t.text == op.text)
            return op.precedence;
    }
    return 0;
}

class Evaluator {
public:
    Evaluator(TokenStream& tokens, const ConstantExpression::IdentifierValue& identifiers)
        : m_tokens(tokens)
        , m_identifiers(identifiers)
    {
    }

    ConstantValue Conditional()
    {
        Enter();
        ConstantValue condition = Binary(1);
        if (!m_tokens.Accept("?")) {
            --m_depth;
            return condition;
        }
        ConstantValue whenTrue = Conditional();
        m_tokens.Expect(":", "':' of a conditional expression");
        ConstantValue whenFalse = Conditional();
        ConstantValue result = condition.value ? whenTrue : whenFalse;
        result.isLong = whenTrue.isLong || whenFalse.isLong;
        --m_depth;
        return result;
    }

private:
    // Bounds the recursion, so that a pathological line fails with a message instead of the stack.
    void Enter()
    {
        constexpr int kMaxDepth = 200;
        if (++m_depth > kMaxDepth)
            m_tokens.Fail("expression nested too deeply");
    }

    ConstantValue Binary(int minPrecedence)
    {
        ConstantValue left = Unary();
        while (true) {
            const Token& op = m_tokens.Peek();
            const int precedence = PrecedenceOf(op);
            if (precedence == 0 || precedence < minPrecedence)
                return left;
            const std::string text = op.text;
            const SourceLocation where = op.location;
            m_tokens.Next();
            const ConstantValue right = Binary(precedence + 1);
            left = Apply(text, left, right, where);
        }
    }

    static ConstantValue Apply(const std::string& op, ConstantValue a, ConstantValue b, const SourceLocation& where)
    {
        ConstantValue r;
        r.isLong = a.isLong || b.isLong;
        const std::int64_t x = a.value;
        const std::int64_t y = b.value;
        // Unsigned arithmetic keeps overflow defined; results are cut to 32 bits by the users.
        const auto ux = static_cast<std::uint64_t>(x);
        const auto uy = static_cast<std::uint64_t>(y);
        if (op == "||")
            r.value = (x || y) ? 1 : 0;
        else if (op == "&&")
            r.value = (x && y) ? 1 : 0;
        else if (op == "|")
            r.value = x | y;
        else if (op == "^")
            r.value = x ^ y;
        else if (op == "&")
            r.value = x & y;
        else if (op == "==")
            r.value = x == y;
        else if (op == "!=")
            r.value = x != y;
        else if (op == "<")
            r.value = x < y;
        else if (op == ">")
            r.value = x > y;
        else if (op == "<=")
            r.value = x <= y;
        else if (op == ">=")
            r.value = x >= y;
        else if (op == "<<")
            r.value = static_cast<std::int64_t>(ux << (uy & 63));
        else if (op == ">>")
            r.value = x >> (uy & 63);
        else if (op == "+")
            r.value = static_cast<std::int64_t>(ux + uy);
        else if (op == "-")
            r.value = static_cast<std::int64_t>(ux - uy);
        else if (op == "*")
            r.value = static_cast<std::int64_t>(ux * uy);
        else {
            if (y == 0)
                throw ScriptError(where, "division by zero in a constant expression");
            if (x == INT64_MIN && y == -1)
                r.value = op == "/" ? x : 0;
            else
                r.value = op == "/" ? x / y : x % y;
        }
        return r;
    }

    ConstantValue Unary()
    {
        Enter();
        ConstantValue v = UnaryOperand();
        --m_depth;
        return v;
    }

    ConstantValue UnaryOperand()
    {
        if (m_tokens.Accept("-")) {
            ConstantValue v = Unary();
            v.value = static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(v.value));
            return v;
        }
        if (m_tokens.Accept("+"))
            return Unary();
        if (m_tokens.Accept("~")) {
            ConstantValue v = Unary();
            v.value = ~v.value;
            return v;
        }
        if (m_tokens.Accept("!")) {
            ConstantValue v = Unary();
            v.value = !v.value;
            return v;
        }
        return Primary();
    }

    ConstantValue Primary()
    {
        if (m_tokens.Accept("(")) {
            ConstantValue v = Conditional();
            m_tokens.Expect(")", "')'");
            return v;
        }
        const Token& t = m_tokens.Peek();
        if (t.kind == TokenKind::Number) {
            m_tokens.Next();
            return { t.value, t.isLong };
        }
        if (t.kind == TokenKind::Identifier) {
            if (auto v = m_identifiers(t)) {
                m_tokens.Next();
                return { *v, false };
            }
            throw ScriptError(t.location, "undefined symbol '" + t.text + "'");
        }
        m_tokens.Fail("expected a number");
    }

    TokenStream& m_tokens;
    const ConstantExpression::IdentifierValue& m_identifiers;
    int m_depth { 0 };
};

} // namespace

ConstantValue ConstantExpression::Evaluate(TokenStream& tokens, const IdentifierValue& identifiers)
{
    return Evaluator(tokens, identifiers).Conditional();
}

bool ConstantExpression::StartsExpression(const Token& token)
{
    if (token.kind == TokenKind::Number || token.kind == TokenKind::Identifier)
        return true;
    return token.kind == TokenKind::Punctuator
        && (token.text == "(" || token.text == "-" || token.text == "+" || token.text == "~" || token.text == "!");
}

} // namespace rc
