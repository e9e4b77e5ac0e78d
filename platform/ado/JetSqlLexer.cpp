#include "platform/ado/JetSqlLexer.h"

namespace platform::ado {

namespace {

bool IsNameStart(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u == '@' || u >= 0x80;
}

bool IsNamePart(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '$'; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool TokenizeJetSql(std::string_view sql, std::vector<JetToken>& tokens, std::string& error)
{
    tokens.clear();
    size_t i = 0;
    while (i < sql.size()) {
        const size_t start = i;
        const char c = sql[i];
        JetToken token;
        if (IsSpace(c)) {
            while (i < sql.size() && IsSpace(sql[i]))
                ++i;
            token.kind = JetTokenKind::Space;
        } else if (IsNameStart(c)) {
            while (i < sql.size() && IsNamePart(sql[i]))
                ++i;
            token.kind = JetTokenKind::Word;
            token.value = std::string(sql.substr(start, i - start));
        } else if (IsDigit(c) || (c == '.' && i + 1 < sql.size() && IsDigit(sql[i + 1]))) {
            while (i < sql.size() && (IsDigit(sql[i]) || sql[i] == '.'))
                ++i;
            if (i < sql.size() && (sql[i] == 'e' || sql[i] == 'E')) {
                size_t j = i + 1;
                if (j < sql.size() && (sql[j] == '+' || sql[j] == '-'))
                    ++j;
                if (j < sql.size() && IsDigit(sql[j])) {
                    i = j;
                    while (i < sql.size() && IsDigit(sql[i]))
                        ++i;
                }
            }
            token.kind = JetTokenKind::Number;
            token.value = std::string(sql.substr(start, i - start));
        } else if (c == '[') {
            const size_t close = sql.find(']', i + 1);
            if (close == std::string_view::npos) {
                error = "Missing ']' in the name beginning at character " + std::to_string(start + 1) + ".";
                return false;
            }
            token.kind = JetTokenKind::Bracketed;
            token.value = std::string(sql.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == '\'' || c == '"') {
            ++i;
            bool closed = false;
            while (i < sql.size()) {
                if (sql[i] == c) {
                    if (i + 1 < sql.size() && sql[i + 1] == c) {
                        token.value += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                token.value += sql[i++];
            }
            if (!closed) {
                error = "Unterminated text beginning at character " + std::to_string(start + 1) + ".";
                return false;
            }
            token.kind = JetTokenKind::String;
        } else if (c == '#') {
            const size_t close = sql.find('#', i + 1);
            if (close == std::string_view::npos) {
                error = "Missing '#' in the date beginning at character " + std::to_string(start + 1) + ".";
                return false;
            }
            token.kind = JetTokenKind::Date;
            token.value = std::string(sql.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            static constexpr std::string_view pairs[] = { "<>", "<=", ">=", "!=", "||" };
            size_t length = 1;
            for (std::string_view pair : pairs)
                if (sql.substr(i, 2) == pair)
                    length = 2;
            i += length;
            token.kind = JetTokenKind::Punct;
            token.value = std::string(sql.substr(start, length));
        }
        token.text = std::string(sql.substr(start, i - start));
        tokens.push_back(std::move(token));
    }
    return true;
}

} // namespace platform::ado
