#include "tools/rc/Lexer.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "tools/rc/Utf.h"

namespace rc {

namespace {

// Blanks out comments, keeping line breaks so that line numbers stay right. String and character
// literals are skipped with C rules; a script's doubled quote ("") reads as two adjacent literals
// here, which finds the same comment boundaries.
std::string StripComments(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            out.push_back(c);
            ++i;
            while (i < text.size() && text[i] != c && text[i] != '\n') {
                if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] != '\n') {
                    out.push_back(text[i++]);
                }
                out.push_back(text[i++]);
            }
            if (i < text.size() && text[i] == c)
                out.push_back(text[i++]);
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n')
                ++i;
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            i += 2;
            out.push_back(' ');
            while (i < text.size() && !(text[i] == '*' && i + 1 < text.size() && text[i + 1] == '/')) {
                if (text[i] == '\n')
                    out.push_back('\n');
                ++i;
            }
            i = std::min(text.size(), i + 2);
        } else {
            out.push_back(c);
            ++i;
        }
    }
    return out;
}

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class LineScanner {
public:
    LineScanner(std::string_view line, const SourceLocation& location)
        : m_line(line)
        , m_location(location)
    {
    }

    std::vector<Token> Run()
    {
        std::vector<Token> tokens;
        while (true) {
            while (m_pos < m_line.size() && std::isspace(static_cast<unsigned char>(m_line[m_pos])))
                ++m_pos;
            if (m_pos >= m_line.size())
                break;
            tokens.push_back(Next());
        }
        return tokens;
    }

private:
    Token Make(TokenKind kind)
    {
        Token t;
        t.kind = kind;
        t.location = m_location;
        return t;
    }

    [[noreturn]] void Fail(const std::string& message) const { throw ScriptError(m_location, message); }

    Token Next()
    {
        const char c = m_line[m_pos];
        if ((c == 'L' || c == 'l') && m_pos + 1 < m_line.size() && m_line[m_pos + 1] == '"') {
            ++m_pos;
            return ReadString(true);
        }
        if (IsIdentifierStart(c)) {
            Token t = Make(TokenKind::Identifier);
            const std::size_t start = m_pos;
            while (m_pos < m_line.size() && IsIdentifierChar(m_line[m_pos]))
                ++m_pos;
            t.text = std::string(m_line.substr(start, m_pos - start));
            return t;
        }
        if (std::isdigit(static_cast<unsigned char>(c)))
            return ReadNumber();
        if (c == '"')
            return ReadString(false);
        if (c == '\'')
            return ReadCharacter();
        static constexpr std::array<std::string_view, 10> kPairs { "<<", ">>", "<=", ">=", "==", "!=", "&&", "||", "##",
            "::" };
        for (std::string_view p : kPairs) {
            if (m_line.substr(m_pos, 2) == p) {
                Token t = Make(TokenKind::Punctuator);
                t.text = std::string(p);
                m_pos += 2;
                return t;
            }
        }
        static constexpr std::string_view kSingles = "+-*/%&|^~!<>(){}[],?:#=;.";
        if (kSingles.find(c) != std::string_view::npos) {
            Token t = Make(TokenKind::Punctuator);
            t.text = std::string(1, c);
            ++m_pos;
            return t;
        }
        if (static_cast<unsigned char>(c) >= 0x80)
            Fail("unexpected non-ASCII text outside a string literal");
        Fail(std::string("unexpected character '") + c + "'");
    }

    Token ReadNumber()
    {
        Token t = Make(TokenKind::Number);
        const std::size_t start = m_pos;
        std::uint64_t value = 0;
        if (m_line[m_pos] == '0' && m_pos + 1 < m_line.size()
            && (m_line[m_pos + 1] == 'x' || m_line[m_pos + 1] == 'X')) {
            m_pos += 2;
            const std::size_t digits = m_pos;
            while (m_pos < m_line.size() && HexDigit(m_line[m_pos]) >= 0) {
                value = (value << 4) | static_cast<std::uint64_t>(HexDigit(m_line[m_pos++]));
                value = std::min<std::uint64_t>(value, 0x100000000ull); // saturate: only "too big" matters
            }
            if (m_pos == digits)
                Fail("hexadecimal number without digits");
        } else {
            const bool octal = m_line[m_pos] == '0';
            while (m_pos < m_line.size() && std::isdigit(static_cast<unsigned char>(m_line[m_pos]))) {
                const int d = m_line[m_pos++] - '0';
                if (octal && d > 7)
                    Fail("invalid digit in octal number '" + std::string(m_line.substr(start, m_pos - start)) + "'");
                value = value * (octal ? 8 : 10) + static_cast<std::uint64_t>(d);
                value = std::min<std::uint64_t>(value, 0x100000000ull);
            }
        }
        if (value > 0xFFFFFFFFull)
            Fail("number '" + std::string(m_line.substr(start, m_pos - start)) + "' does not fit in 32 bits");
        while (m_pos < m_line.size() && std::string_view("uUlL").find(m_line[m_pos]) != std::string_view::npos) {
            if (m_line[m_pos] == 'l' || m_line[m_pos] == 'L')
                t.isLong = true;
            ++m_pos;
        }
        if (m_pos < m_line.size() && IsIdentifierChar(m_line[m_pos]))
            Fail("invalid number '" + std::string(m_line.substr(start, m_pos + 1 - start)) + "'");
        t.value = static_cast<std::uint32_t>(value);
        return t;
    }

    // One escape after a backslash; returns the code it stands for. Octal and hexadecimal escapes
    // give a byte in narrow strings and a code unit in wide ones.
    std::uint32_t ReadEscape(bool wide)
    {
        if (m_pos >= m_line.size())
            Fail("unterminated string literal");
        const char c = m_line[m_pos++];
        switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case 'r':
            return '\r';
        case 'a':
            return '\a';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'v':
            return '\v';
        case '\\':
        case '"':
        case '\'':
        case '?':
            return static_cast<unsigned char>(c);
        case 'x':
        case 'X': {
            std::uint32_t v = 0;
            int n = 0;
            const int maxDigits = wide ? 4 : 2;
            while (n < maxDigits && m_pos < m_line.size() && HexDigit(m_line[m_pos]) >= 0) {
                v = (v << 4) | static_cast<std::uint32_t>(HexDigit(m_line[m_pos++]));
                ++n;
            }
            if (n == 0)
                Fail("\\x escape without hexadecimal digits");
            return v;
        }
        default:
            if (c >= '0' && c <= '7') {
                std::uint32_t v = static_cast<std::uint32_t>(c - '0');
                for (int n = 1; n < 3 && m_pos < m_line.size() && m_line[m_pos] >= '0' && m_line[m_pos] <= '7'; ++n)
                    v = v * 8 + static_cast<std::uint32_t>(m_line[m_pos++] - '0');
                if (!wide && v > 0xFF)
                    Fail("octal escape out of range");
                return v;
            }
            Fail(std::string("unknown escape sequence '\\") + c + "'");
        }
    }

    Token ReadString(bool wide)
    {
        Token t = Make(wide ? TokenKind::WideString : TokenKind::String);
        ++m_pos; // opening quote
        std::string bytes; // UTF-8 text of the literal, for wide literals decoded at each escape
        auto flushWide = [&]() {
            if (bytes.empty())
                return;
            auto units = Utf8ToUtf16(bytes);
            if (!units)
                Fail("string literal is not valid UTF-8 text");
            t.wide += *units;
            bytes.clear();
        };
        while (true) {
            if (m_pos >= m_line.size())
                Fail("unterminated string literal");
            const char c = m_line[m_pos++];
            if (c == '"') {
                // A doubled quote inside a literal stands for one quote.
                if (m_pos < m_line.size() && m_line[m_pos] == '"') {
                    ++m_pos;
                    bytes.push_back('"');
                    continue;
                }
                break;
            }
            if (c == '\\') {
                const std::uint32_t code = ReadEscape(wide);
                if (wide) {
                    flushWide();
                    t.wide.push_back(static_cast<char16_t>(code));
                } else {
                    bytes.push_back(static_cast<char>(code));
                }
                continue;
            }
            bytes.push_back(c);
        }
        if (wide)
            flushWide();
        else
            t.text = std::move(bytes);
        return t;
    }

    Token ReadCharacter()
    {
        Token t = Make(TokenKind::Number);
        ++m_pos;
        if (m_pos >= m_line.size())
            Fail("unterminated character constant");
        const char c = m_line[m_pos++];
        t.value = c == '\\' ? ReadEscape(false) : static_cast<unsigned char>(c);
        if (m_pos >= m_line.size() || m_line[m_pos] != '\'')
            Fail("unterminated or multi-character character constant");
        ++m_pos;
        return t;
    }

    std::string_view m_line;
    const SourceLocation& m_location;
    std::size_t m_pos { 0 };
};

} // namespace

std::vector<LogicalLine> Lexer::SplitLines(std::string_view fileText)
{
    if (fileText.substr(0, 3) == "\xEF\xBB\xBF")
        fileText.remove_prefix(3);
    std::string text;
    text.reserve(fileText.size());
    for (char c : fileText) {
        if (c != '\r')
            text.push_back(c);
    }
    text = StripComments(text);

    std::vector<LogicalLine> lines;
    int physical = 1;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        LogicalLine logical { physical, {} };
        while (true) {
            std::size_t end = text.find('\n', pos);
            const bool last = end == std::string::npos;
            if (last)
                end = text.size();
            std::string_view piece(text.data() + pos, end - pos);
            pos = end + 1;
            ++physical;
            if (!piece.empty() && piece.back() == '\\' && !last) {
                logical.text.append(piece.substr(0, piece.size() - 1));
                continue;
            }
            logical.text.append(piece);
            break;
        }
        lines.push_back(std::move(logical));
    }
    return lines;
}

std::vector<Token> Lexer::Tokenize(std::string_view line, const SourceLocation& location)
{
    return LineScanner(line, location).Run();
}

} // namespace rc
