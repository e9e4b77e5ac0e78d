#pragma once
// One token of a resource script or of a header it includes.

#include <cstdint>
#include <string>

#include "tools/rc/ScriptError.h"

namespace rc {

enum class TokenKind {
    Identifier,
    Number,
    String, // narrow literal: the bytes of its UTF-8 text with escapes applied
    WideString, // L"..." literal: UTF-16 code units
    Punctuator, // operators, commas, braces, parentheses
    End,
};

struct Token {
    TokenKind kind { TokenKind::End };
    std::string text; // identifier, punctuator, or the bytes of a narrow string
    std::u16string wide; // the code units of a wide string
    std::uint32_t value { 0 }; // numbers
    bool isLong { false }; // a number with an L suffix: a 32-bit item in raw data
    SourceLocation location;

    bool Is(TokenKind k, std::string_view t) const { return kind == k && text == t; }
    bool IsPunctuator(std::string_view t) const { return Is(TokenKind::Punctuator, t); }
};

} // namespace rc
