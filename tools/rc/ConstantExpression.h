#pragma once
// Integer constant expressions, as #if lines and resource statements write them
// (C operators and precedence; a number with an L suffix makes the result "long").

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "tools/rc/TokenStream.h"

namespace rc {

struct ConstantValue {
    std::int64_t value { 0 };
    bool isLong { false };
};

class ConstantExpression {
public:
    // Gives the value of an identifier left after macro expansion, or nothing when it is an error.
    using IdentifierValue = std::function<std::optional<std::int64_t>(const Token&)>;

    // Reads one expression from the stream, stopping before the first token that cannot continue it.
    static ConstantValue Evaluate(TokenStream& tokens, const IdentifierValue& identifiers);

    // True when the current token can start an expression.
    static bool StartsExpression(const Token& token);
};

} // namespace rc
