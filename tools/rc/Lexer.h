#pragma once
// Splits the text of a script or header into logical lines and lines into tokens.

#include <string>
#include <string_view>
#include <vector>

#include "tools/rc/Token.h"

namespace rc {

struct LogicalLine {
    int line { 0 }; // the physical line it starts on
    std::string text;
};

class Lexer {
public:
    // The file's lines with comments blanked out and backslash-continued lines joined.
    // Line ends may be LF or CRLF; a leading UTF-8 byte order mark is dropped.
    static std::vector<LogicalLine> SplitLines(std::string_view fileText);

    // The tokens of one logical line; throws ScriptError on a character or literal it cannot read.
    static std::vector<Token> Tokenize(std::string_view line, const SourceLocation& location);
};

} // namespace rc
