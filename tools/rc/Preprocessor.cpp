#include "tools/rc/Preprocessor.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "tools/rc/ConstantExpression.h"
#include "tools/rc/Lexer.h"

namespace rc {

namespace {

// Deep enough for any real tree of headers, shallow enough to stop a file that includes itself.
constexpr int kMaxIncludeDepth = 64;
constexpr int kMaxExpansionDepth = 64;

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Splits "name rest" at the end of the leading identifier.
std::pair<std::string_view, std::string_view> SplitWord(std::string_view s)
{
    s = Trim(s);
    std::size_t n = 0;
    while (n < s.size() && IsIdentifierChar(s[n]))
        ++n;
    return { s.substr(0, n), Trim(s.substr(n)) };
}

bool IsDirectivesOnly(const std::filesystem::path& path)
{
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    static const std::set<std::string> kHeaderExtensions { ".h", ".hh", ".hpp", ".hxx", ".inl", ".c", ".cc", ".cpp",
        ".cxx" };
    return kHeaderExtensions.count(ext) != 0;
}

// Paths in scripts may use either separator.
std::string NativeSeparators(std::string_view name)
{
    std::string s(name);
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

} // namespace

Preprocessor::Preprocessor(std::vector<std::filesystem::path> includeDirs)
    : m_includeDirs(std::move(includeDirs))
{
}

void Preprocessor::Define(const std::string& name, const std::string& body)
{
    m_macros[name] = Macro { body, false, {} };
}

std::vector<Token> Preprocessor::Run(const std::filesystem::path& script)
{
    m_output.clear();
    ProcessFile(script, SourceLocation { FileName(script), 0 });
    return std::move(m_output);
}

std::shared_ptr<const std::string> Preprocessor::FileName(const std::filesystem::path& path)
{
    auto& name = m_fileNames[path];
    if (!name)
        name = std::make_shared<const std::string>(path.string());
    return name;
}

void Preprocessor::AddDependency(const std::filesystem::path& path)
{
    const auto absolute = std::filesystem::absolute(path).lexically_normal();
    if (std::find(m_dependencies.begin(), m_dependencies.end(), absolute) == m_dependencies.end())
        m_dependencies.push_back(absolute);
}

bool Preprocessor::IsActive(const FileState& state)
{
    return state.conditionals.empty() || state.conditionals.back().active;
}

void Preprocessor::ProcessFile(const std::filesystem::path& file, const SourceLocation& includedFrom)
{
    std::ifstream in(file, std::ios::binary);
    if (!in || std::filesystem::is_directory(file))
        throw ScriptError(includedFrom, "cannot read '" + file.string() + "'");
    std::ostringstream text;
    text << in.rdbuf();
    AddDependency(file);

    FileState state;
    state.path = file;
    state.directivesOnly = IsDirectivesOnly(file);
    const auto fileName = FileName(file);
    for (const LogicalLine& line : Lexer::SplitLines(text.str())) {
        const SourceLocation location { fileName, line.line };
        const std::string_view trimmed = Trim(line.text);
        if (!trimmed.empty() && trimmed.front() == '#') {
            Directive(trimmed.substr(1), location, state);
            continue;
        }
        if (state.directivesOnly || !IsActive(state) || trimmed.empty())
            continue;
        std::set<std::string> hidden;
        Expand(Lexer::Tokenize(trimmed, location), m_output, hidden, 0);
    }
    if (!state.conditionals.empty())
        throw ScriptError(state.conditionals.back().opened, "#if without #endif");
}

void Preprocessor::Directive(std::string_view text, const SourceLocation& location, FileState& state)
{
    const auto [name, operand] = SplitWord(text);
    auto& conditionals = state.conditionals;
    const bool active = IsActive(state);

    if (name == "if" || name == "ifdef" || name == "ifndef") {
        Conditional c;
        c.parentActive = active;
        c.opened = location;
        if (active) {
            if (name == "if") {
                c.active = Condition(operand, location);
            } else {
                const auto [macro, rest] = SplitWord(operand);
                if (macro.empty())
                    throw ScriptError(location, "#" + std::string(name) + " needs a macro name");
                c.active = (m_macros.count(std::string(macro)) != 0) == (name == "ifdef");
            }
        } else {
            c.active = false;
        }
        c.taken = c.active;
        conditionals.push_back(c);
        return;
    }
    if (name == "elif" || name == "else" || name == "endif") {
        if (conditionals.empty())
            throw ScriptError(location, "#" + std::string(name) + " without #if");
        Conditional& c = conditionals.back();
        if (name == "endif") {
            conditionals.pop_back();
            return;
        }
        if (c.sawElse)
            throw ScriptError(location, "#" + std::string(name) + " after #else");
        if (name == "else") {
            c.sawElse = true;
            c.active = c.parentActive && !c.taken;
        } else {
            c.active = c.parentActive && !c.taken && Condition(operand, location);
        }
        c.taken = c.taken || c.active;
        return;
    }
    if (!active)
        return;

    if (name == "include") {
        Include(operand, location, state);
    } else if (name == "define") {
        DefineFrom(operand, location);
    } else if (name == "undef") {
        m_macros.erase(std::string(SplitWord(operand).first));
    } else if (name == "error") {
        throw ScriptError(location, "#error " + std::string(operand));
    } else if (name == "pragma") {
        if (SplitWord(operand).first == "once")
            m_onceFiles.insert(std::filesystem::weakly_canonical(state.path));
        // Other pragmas (code pages among them: scripts are UTF-8) do not concern this compiler.
    } else if (name == "warning") {
        Warn(location, "#warning " + std::string(operand));
    } else if (name == "line" || name.empty()) {
        // "#line" only matters to compilers that report positions of generated text; "#" alone is a null directive.
    } else {
        throw ScriptError(location, "unknown preprocessor directive '#" + std::string(name) + "'");
    }
}

void Preprocessor::Include(std::string_view operand, const SourceLocation& location, const FileState& state)
{
    if (operand.size() < 2 || (operand.front() != '"' && operand.front() != '<'))
        throw ScriptError(location, "expected \"file\" or <file> after #include");
    const char close = operand.front() == '"' ? '"' : '>';
    const std::size_t end = operand.find(close, 1);
    if (end == std::string_view::npos)
        throw ScriptError(location, "unterminated file name after #include");
    const std::filesystem::path name = NativeSeparators(operand.substr(1, end - 1));

    std::vector<std::filesystem::path> candidates;
    if (name.is_absolute()) {
        candidates.push_back(name);
    } else {
        if (close == '"')
            candidates.push_back(state.path.parent_path() / name);
        for (const auto& dir : m_includeDirs)
            candidates.push_back(dir / name);
    }
    const auto found = std::find_if(candidates.begin(), candidates.end(), [](const std::filesystem::path& p) {
        std::error_code ec;
        return std::filesystem::is_regular_file(p, ec);
    });
    if (found == candidates.end()) {
        // A header shared with the C++ code may include the standard library, which holds no ids.
        if (close == '>' && state.directivesOnly)
            return;
        throw ScriptError(location, "cannot find include file '" + name.string() + "'");
    }
    const auto file = found->lexically_normal();
    if (m_onceFiles.count(std::filesystem::weakly_canonical(file)))
        return;
    if (m_includeDepth >= kMaxIncludeDepth)
        throw ScriptError(location, "#include nested too deeply (does a file include itself?)");
    ++m_includeDepth;
    ProcessFile(file, location);
    --m_includeDepth;
}

void Preprocessor::DefineFrom(std::string_view operand, const SourceLocation& location)
{
    std::size_t n = 0;
    while (n < operand.size() && IsIdentifierChar(operand[n]))
        ++n;
    if (n == 0 || std::isdigit(static_cast<unsigned char>(operand[0])))
        throw ScriptError(location, "#define needs a macro name");
    Macro macro;
    macro.definedAt = location;
    // A parenthesis right after the name makes a function-like macro; scripts cannot use those,
    // but headers shared with the code may define them.
    macro.functionLike = n < operand.size() && operand[n] == '(';
    macro.body = std::string(Trim(operand.substr(n)));
    m_macros[std::string(operand.substr(0, n))] = std::move(macro);
}

bool Preprocessor::Condition(std::string_view expression, const SourceLocation& location)
{
    // "defined" is resolved before expansion, as C does.
    std::vector<Token> raw = Lexer::Tokenize(expression, location);
    std::vector<Token> resolved;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i].kind == TokenKind::Identifier && raw[i].text == "defined") {
            const bool parenthesised = i + 1 < raw.size() && raw[i + 1].IsPunctuator("(");
            const std::size_t nameIndex = i + (parenthesised ? 2 : 1);
            if (nameIndex >= raw.size() || raw[nameIndex].kind != TokenKind::Identifier)
                throw ScriptError(location, "'defined' needs a macro name");
            if (parenthesised && (nameIndex + 1 >= raw.size() || !raw[nameIndex + 1].IsPunctuator(")")))
                throw ScriptError(location, "expected ')' after 'defined(" + raw[nameIndex].text + "'");
            Token value = raw[i];
            value.kind = TokenKind::Number;
            value.value = m_macros.count(raw[nameIndex].text) ? 1 : 0;
            resolved.push_back(value);
            i = nameIndex + (parenthesised ? 1 : 0);
            continue;
        }
        resolved.push_back(raw[i]);
    }
    std::vector<Token> expanded;
    std::set<std::string> hidden;
    Expand(resolved, expanded, hidden, 0);
    if (expanded.empty())
        throw ScriptError(location, "#if needs an expression");
    TokenStream stream(std::move(expanded));
    // Identifiers left after expansion count as 0, as in C.
    const ConstantValue value
        = ConstantExpression::Evaluate(stream, [](const Token&) { return std::optional<std::int64_t>(0); });
    if (!stream.AtEnd())
        stream.Fail("unexpected text after the #if expression");
    return value.value != 0;
}

void Preprocessor::Expand(
    const std::vector<Token>& in, std::vector<Token>& out, std::set<std::string>& hidden, int depth)
{
    if (depth > kMaxExpansionDepth)
        throw ScriptError(in.empty() ? SourceLocation {} : in.front().location, "macro expansion nested too deeply");
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Token& t = in[i];
        const auto macro = t.kind == TokenKind::Identifier ? m_macros.find(t.text) : m_macros.end();
        if (macro == m_macros.end() || hidden.count(t.text)) {
            out.push_back(t);
            continue;
        }
        if (macro->second.functionLike) {
            if (i + 1 < in.size() && in[i + 1].IsPunctuator("("))
                throw ScriptError(t.location, "function-like macro '" + t.text + "' cannot be used here");
            out.push_back(t);
            continue;
        }
        // The body is read where it is used, so that its tokens carry the position of the use.
        std::vector<Token> body;
        try {
            body = Lexer::Tokenize(macro->second.body, t.location);
        } catch (const ScriptError& e) {
            throw ScriptError(t.location,
                std::string(e.what()) + " in the value of macro '" + t.text + "' (defined at "
                    + macro->second.definedAt.ToString() + ")");
        }
        hidden.insert(t.text);
        Expand(body, out, hidden, depth + 1);
        hidden.erase(t.text);
    }
}

std::filesystem::path Preprocessor::ResolveFile(const std::string& name, const SourceLocation& from)
{
    const std::filesystem::path path = NativeSeparators(name);
    std::vector<std::filesystem::path> candidates;
    if (path.is_absolute()) {
        candidates.push_back(path);
    } else {
        if (from.file)
            candidates.push_back(std::filesystem::path(*from.file).parent_path() / path);
        for (const auto& dir : m_includeDirs)
            candidates.push_back(dir / path);
    }
    for (const auto& candidate : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) {
            AddDependency(candidate);
            return candidate.lexically_normal();
        }
    }
    throw ScriptError(from, "cannot find file '" + name + "'");
}

} // namespace rc
