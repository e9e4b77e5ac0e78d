#pragma once
// Reading the values of resource statements: bounded numbers and texts.

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/rc/ConstantExpression.h"
#include "tools/rc/TokenStream.h"

namespace rc {

// An expression whose value must lie in [min, max]; throws ScriptError naming `what` otherwise.
std::int64_t ReadNumber(TokenStream& tokens, std::string_view what, std::int64_t min, std::int64_t max,
    const ConstantExpression::IdentifierValue& identifiers = nullptr);
// True when the current token is a narrow or wide string literal.
bool AtText(const TokenStream& tokens);
// One or more adjacent string literals as UTF-16; throws ScriptError when there is none or the
// bytes are not UTF-8.
std::u16string ReadText(TokenStream& tokens, std::string_view what);

} // namespace rc
