#include "platform/ado/JetSqlTranslator.h"

#include "platform/ado/JetDate.h"
#include "platform/ado/JetSqlLexer.h"
#include "platform/base/CaseFold.h"

#include <cstdio>
#include <optional>

namespace platform::ado {

namespace {

bool IsWord(const JetToken& t, std::string_view word)
{
    return t.kind == JetTokenKind::Word && EqualsNoCase(t.value, word);
}

bool IsPunct(const JetToken& t, std::string_view p) { return t.kind == JetTokenKind::Punct && t.value == p; }

// The engine allows no "." in a name, so a bracketed "table.column" is a qualified column; SQLite would
// take it quoted whole for a name it cannot find, and then for a text, matching nothing.
std::string QuoteBracketedName(std::string_view name)
{
    const size_t dot = name.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size() || name.find('.', dot + 1) != std::string_view::npos)
        return QuoteNativeName(name);
    return QuoteNativeName(name.substr(0, dot)) + "." + QuoteNativeName(name.substr(dot + 1));
}

std::string QuoteString(std::string_view text)
{
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + '\'';
}

std::string FormatDouble(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    std::string text = buffer;
    if (text.find_first_of(".eE") == std::string::npos)
        text += ".0"; // keeps the literal a REAL
    return text;
}

// Walks the tokens of one statement and writes its SQLite form.
class Translator {
public:
    Translator(std::vector<JetToken> tokens, TranslatedSql& out)
        : m_tokens(std::move(tokens))
        , m_out(out)
    {
    }

    bool Run(std::string& error)
    {
        size_t i = NextSolid(0);
        if (i < m_tokens.size() && IsWord(m_tokens[i], "PARAMETERS")) {
            if (!ParseParameters(i + 1, i, error))
                return false;
            m_out.declaresParameters = true;
            i = NextSolid(i);
        }
        m_bodyStart = i;
        if (i < m_tokens.size()) {
            const JetToken& first = m_tokens[i];
            if (IsWord(first, "SELECT") || IsWord(first, "TRANSFORM"))
                m_out.kind = JetStatementKind::Select;
            else if (IsWord(first, "INSERT"))
                m_out.kind = JetStatementKind::Insert;
            else if (IsWord(first, "UPDATE"))
                m_out.kind = JetStatementKind::Update;
            else if (IsWord(first, "DELETE"))
                m_out.kind = JetStatementKind::Delete;
        }
        for (; i < m_tokens.size(); ++i) {
            if (!Emit(i, error))
                return false;
        }
        TrimEnd();
        return true;
    }

private:
    size_t NextSolid(size_t i) const
    {
        while (i < m_tokens.size() && m_tokens[i].kind == JetTokenKind::Space)
            ++i;
        return i;
    }

    std::optional<size_t> PrevSolid(size_t i) const
    {
        while (i > m_bodyStart) {
            --i;
            if (m_tokens[i].kind != JetTokenKind::Space)
                return i;
        }
        return std::nullopt;
    }

    bool NextIs(size_t i, std::string_view punct) const
    {
        const size_t n = NextSolid(i + 1);
        return n < m_tokens.size() && IsPunct(m_tokens[n], punct);
    }

    bool PrevIs(size_t i, std::string_view punct) const
    {
        const auto p = PrevSolid(i);
        return p && IsPunct(m_tokens[*p], punct);
    }

    // "PARAMETERS name type, name type ... ;" starting after the keyword; 'end' gets the index after ';'.
    bool ParseParameters(size_t i, size_t& end, std::string& error)
    {
        for (;;) {
            i = NextSolid(i);
            if (i >= m_tokens.size()) {
                error = "The PARAMETERS clause is not ended by ';'.";
                return false;
            }
            const JetToken& name = m_tokens[i];
            if (name.kind != JetTokenKind::Word && name.kind != JetTokenKind::Bracketed) {
                error = "A parameter name was expected in the PARAMETERS clause near '" + name.text + "'.";
                return false;
            }
            std::string typeWords;
            int depth = 0;
            for (++i; i < m_tokens.size(); ++i) {
                const JetToken& t = m_tokens[i];
                if (depth == 0 && (IsPunct(t, ",") || IsPunct(t, ";")))
                    break;
                if (IsPunct(t, "("))
                    ++depth;
                else if (IsPunct(t, ")"))
                    --depth;
                typeWords += t.text;
            }
            if (i >= m_tokens.size()) {
                error = "The PARAMETERS clause is not ended by ';'.";
                return false;
            }
            if (FindParameter(name.value) >= 0) {
                error = "The parameter '" + name.value + "' is declared twice.";
                return false;
            }
            m_out.parameters.push_back({ name.value, JetParamTypeFromName(typeWords) });
            if (IsPunct(m_tokens[i], ";")) {
                end = i + 1;
                return true;
            }
            ++i; // past ','
        }
    }

    int FindParameter(std::string_view name) const
    {
        for (size_t k = 0; k < m_out.parameters.size(); ++k)
            if (EqualsNoCase(m_out.parameters[k].name, name))
                return static_cast<int>(k);
        return -1;
    }

    bool IsParameterName(size_t i) const
    {
        const JetToken& t = m_tokens[i];
        if (t.kind != JetTokenKind::Word && t.kind != JetTokenKind::Bracketed)
            return false;
        if (PrevIs(i, ".") || NextIs(i, ".") || NextIs(i, "("))
            return false;
        if (FindParameter(t.value) >= 0)
            return true;
        // Undeclared parameters follow the catalogue's naming rule: bracketed and beginning with "qp".
        return t.kind == JetTokenKind::Bracketed && t.value.size() > 2 && EqualsNoCase(t.value.substr(0, 2), "qp");
    }

    void EmitParameter(std::string_view name)
    {
        int index = FindParameter(name);
        if (index < 0) {
            m_out.parameters.push_back({ std::string(name), JetParamType::Variant });
            index = static_cast<int>(m_out.parameters.size()) - 1;
        }
        m_out.sql += "?" + std::to_string(index + 1);
    }

    void EmitName(const JetToken& t, size_t i)
    {
        // A qualified column may carry a name that SQLite reserves; quoting it is always safe.
        if (t.kind == JetTokenKind::Bracketed)
            m_out.sql += QuoteBracketedName(t.value);
        else if (PrevIs(i, "."))
            m_out.sql += QuoteNativeName(t.value);
        else
            m_out.sql += t.text;
    }

    // "= True" compares by truth: any non-zero value is true, as the engine treats Yes/No values.
    bool EmitTruthComparison(size_t i)
    {
        const JetToken& op = m_tokens[i];
        const bool equals = IsPunct(op, "=");
        if (!equals && !IsPunct(op, "<>"))
            return false;
        const size_t n = NextSolid(i + 1);
        if (n >= m_tokens.size())
            return false;
        const bool isTrue = IsWord(m_tokens[n], "True") || IsWord(m_tokens[n], "Yes");
        const bool isFalse = IsWord(m_tokens[n], "False") || IsWord(m_tokens[n], "No");
        if (!isTrue && !isFalse)
            return false;
        m_out.sql += (equals == isTrue) ? "<> 0" : "= 0";
        m_skipUntil = n + 1;
        return true;
    }

    bool Emit(size_t i, std::string& error)
    {
        if (i < m_skipUntil)
            return true;
        const JetToken& t = m_tokens[i];
        switch (t.kind) {
        case JetTokenKind::Space:
            m_out.sql += ' ';
            return true;
        case JetTokenKind::String:
            m_out.sql += QuoteString(t.value);
            return true;
        case JetTokenKind::Number:
            m_out.sql += t.text;
            return true;
        case JetTokenKind::Date: {
            const auto date = ParseJetDateLiteral(t.value);
            if (!date) {
                error = "The date literal #" + t.value + "# is not a valid date.";
                return false;
            }
            m_out.sql += FormatDouble(*date);
            return true;
        }
        case JetTokenKind::Punct:
            return EmitPunct(i);
        case JetTokenKind::Bracketed:
        case JetTokenKind::Word:
            return EmitWord(i);
        }
        return true;
    }

    bool EmitPunct(size_t i)
    {
        const JetToken& t = m_tokens[i];
        if (t.value == "(")
            ++m_depth;
        else if (t.value == ")")
            --m_depth;
        if (m_inSet && m_depth == 0 && t.value == ",") {
            m_expectTarget = true;
        } else if (t.value == "=" && m_assignmentPending) {
            m_assignmentPending = false;
            m_out.sql += "=";
            return true;
        } else if (EmitTruthComparison(i)) {
            return true;
        } else if (t.value == "&") {
            m_out.sql += "||";
            return true;
        } else if (t.value == ";") {
            return true; // a statement end; anything after it is kept and refused by the prepare
        }
        m_out.sql += t.text;
        return true;
    }

    bool EmitWord(size_t i)
    {
        const JetToken& t = m_tokens[i];
        if (m_expectTarget && m_inSet && m_depth == 0) {
            m_expectTarget = false;
            // "SET t.col = ..." names the updated table's column: SQLite wants it plain.
            const size_t dot = NextSolid(i + 1);
            if (dot < m_tokens.size() && IsPunct(m_tokens[dot], ".")) {
                const size_t column = NextSolid(dot + 1);
                if (column < m_tokens.size()
                    && (m_tokens[column].kind == JetTokenKind::Word || m_tokens[column].kind == JetTokenKind::Bracketed)) {
                    m_out.sql += QuoteNativeName(m_tokens[column].value);
                    m_skipUntil = column + 1;
                    m_assignmentPending = true;
                    return true;
                }
            }
            m_out.sql += QuoteNativeName(t.value);
            m_assignmentPending = true;
            return true;
        }
        if (IsParameterName(i)) {
            EmitParameter(t.value);
            return true;
        }
        if (t.kind == JetTokenKind::Bracketed) {
            EmitName(t, i);
            return true;
        }
        if (m_depth == 0 && m_out.kind == JetStatementKind::Update) {
            if (EqualsNoCase(t.value, "SET")) {
                m_inSet = true;
                m_expectTarget = true;
            } else if (EqualsNoCase(t.value, "WHERE") || EqualsNoCase(t.value, "ORDER")) {
                m_inSet = false;
            }
        }
        if (PrevIs(i, ".")) {
            EmitName(t, i);
            return true;
        }
        if (EqualsNoCase(t.value, "True") || EqualsNoCase(t.value, "Yes")) {
            if (!EmitReversedTruth(i, true))
                m_out.sql += "-1";
            return true;
        }
        if (EqualsNoCase(t.value, "False") || EqualsNoCase(t.value, "No")) {
            if (!EmitReversedTruth(i, false))
                m_out.sql += "0";
            return true;
        }
        if (EqualsNoCase(t.value, "DISTINCTROW")) {
            m_out.sql += "DISTINCT";
            return true;
        }
        if (EqualsNoCase(t.value, "@@IDENTITY")) {
            m_out.sql += "last_insert_rowid()";
            return true;
        }
        if (EqualsNoCase(t.value, "DELETE")) {
            // "DELETE * FROM t" and "DELETE t.* FROM t" delete whole rows: SQLite wants no column list.
            m_out.sql += t.text;
            const size_t n = NextSolid(i + 1);
            if (n < m_tokens.size() && IsPunct(m_tokens[n], "*"))
                m_skipUntil = n + 1;
            else if (n + 2 < m_tokens.size() && (m_tokens[n].kind == JetTokenKind::Word || m_tokens[n].kind == JetTokenKind::Bracketed)
                && IsPunct(m_tokens[NextSolid(n + 1)], ".") && IsPunct(m_tokens[NextSolid(NextSolid(n + 1) + 1)], "*"))
                m_skipUntil = NextSolid(NextSolid(n + 1) + 1) + 1;
            return true;
        }
        if (NextIs(i, "(")) {
            static constexpr std::pair<std::string_view, std::string_view> functions[] = {
                { "Now", "jet_now" },
                { "IsNull", "jet_isnull" },
                { "DMax", "jet_dmax" },
                { "DMin", "jet_dmin" },
                { "UCase", "upper" },
                { "LCase", "lower" },
                { "Len", "length" },
            };
            for (const auto& [jet, sqlite] : functions) {
                if (EqualsNoCase(t.value, jet)) {
                    m_out.sql += sqlite;
                    return true;
                }
            }
        }
        m_out.sql += t.text;
        return true;
    }

    // "True = x" written the other way round.
    bool EmitReversedTruth(size_t i, bool isTrue)
    {
        const size_t op = NextSolid(i + 1);
        if (op >= m_tokens.size() || m_assignmentPending)
            return false;
        const bool equals = IsPunct(m_tokens[op], "=");
        if (!equals && !IsPunct(m_tokens[op], "<>"))
            return false;
        if (m_inSet && m_depth == 0)
            return false;
        m_out.sql += (equals == isTrue) ? "0 <>" : "0 =";
        m_skipUntil = op + 1;
        return true;
    }

    void TrimEnd()
    {
        while (!m_out.sql.empty() && m_out.sql.back() == ' ')
            m_out.sql.pop_back();
    }

    std::vector<JetToken> m_tokens;
    TranslatedSql& m_out;
    size_t m_bodyStart { 0 };
    size_t m_skipUntil { 0 };
    int m_depth { 0 };
    bool m_inSet { false };
    bool m_expectTarget { false };
    bool m_assignmentPending { false };
};

} // namespace

JetParamType JetParamTypeFromName(std::string_view typeWords)
{
    std::string word;
    for (char c : typeWords) {
        if (c == '(' )
            break;
        if (c != ' ' && c != '\t')
            word += FoldCase(c);
    }
    static constexpr std::pair<std::string_view, JetParamType> names[] = {
        { "long", JetParamType::Long },
        { "integer", JetParamType::Short },
        { "short", JetParamType::Short },
        { "byte", JetParamType::Byte },
        { "text", JetParamType::Text },
        { "char", JetParamType::Text },
        { "varchar", JetParamType::Text },
        { "memo", JetParamType::Memo },
        { "longtext", JetParamType::Memo },
        { "datetime", JetParamType::DateTime },
        { "date", JetParamType::DateTime },
        { "bit", JetParamType::Bit },
        { "yesno", JetParamType::Bit },
        { "boolean", JetParamType::Bit },
        { "double", JetParamType::Double },
        { "ieeedouble", JetParamType::Double },
        { "single", JetParamType::Single },
        { "ieeesingle", JetParamType::Single },
        { "currency", JetParamType::Currency },
    };
    for (const auto& [name, type] : names)
        if (word == name)
            return type;
    return JetParamType::Variant;
}

bool TranslateJetSql(std::string_view jet, TranslatedSql& out, std::string& error)
{
    out = {};
    std::vector<JetToken> tokens;
    if (!TokenizeJetSql(jet, tokens, error))
        return false;
    Translator translator(std::move(tokens), out);
    return translator.Run(error);
}

std::string QuoteNativeName(std::string_view name)
{
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

} // namespace platform::ado
