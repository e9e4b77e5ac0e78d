#include "platform/base/FormatMessage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

#include "platform/base/CodePage.h"
#include "platform/base/FormatConversion.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/WinError.h"

using platform::ArgKind;
using platform::FormatArg;
using platform::FormatConversion;

namespace {

constexpr int kMaxInsert = 99;

struct Token {
    enum class Kind { Text, Break, Insert };
    Kind kind { Kind::Text };
    std::string_view text; // the literal, or the insert as written
    int number { 0 };
    std::optional<FormatConversion> conversion; // empty for an insert whose conversion cannot be read

    static Token literal(Kind kind, std::string_view text)
    {
        Token token;
        token.kind = kind;
        token.text = text;
        return token;
    }

    // The highest argument number the insert reads ('*' widths and precisions take the numbers before it).
    int lastNumber() const
    {
        return number + (conversion && conversion->widthFromArg()) + (conversion && conversion->precisionFromArg());
    }
};

std::vector<Token> tokenize(std::string_view message)
{
    std::vector<Token> tokens;
    std::size_t literal = 0;
    std::size_t i = 0;
    auto flush = [&](std::size_t end) {
        if (end > literal)
            tokens.push_back(Token::literal(Token::Kind::Text, message.substr(literal, end - literal)));
    };
    while (i < message.size()) {
        if (message[i] != '%') {
            ++i;
            continue;
        }
        flush(i);
        const char c = i + 1 < message.size() ? message[i + 1] : '\0';
        if (c == '\0') // a lone '%' at the end stands for nothing
            return tokens;
        if (c == '0') // end of the message
            return tokens;
        if (c >= '1' && c <= '9') {
            Token token;
            token.kind = Token::Kind::Insert;
            token.number = c - '0';
            std::size_t j = i + 2;
            if (j < message.size() && message[j] >= '0' && message[j] <= '9')
                token.number = token.number * 10 + (message[j++] - '0');
            std::string_view spec = "s";
            if (j < message.size() && message[j] == '!') {
                const std::size_t close = message.find('!', j + 1);
                if (close != std::string_view::npos) {
                    spec = message.substr(j + 1, close - j - 1);
                    j = close + 1;
                }
            }
            std::size_t consumed = 0;
            token.conversion = FormatConversion::parse(spec, consumed);
            if (consumed != spec.size())
                token.conversion.reset();
            token.text = message.substr(i, j - i);
            tokens.push_back(token);
            i = j;
        } else if (c == 'n') {
            tokens.push_back(Token::literal(Token::Kind::Break, "\r\n"));
            i += 2;
        } else {
            tokens.push_back(Token::literal(Token::Kind::Text, message.substr(i + 1, 1))); // "%%", "%!", "%.", "% " ...
            i += 2;
        }
        literal = i;
    }
    flush(i);
    return tokens;
}

// Where the arguments of inserts come from, by insert number.
class InsertSource {
public:
    virtual ~InsertSource() = default;
    virtual bool has(int number) const = 0;
    virtual FormatArg arg(int number, ArgKind kind) = 0;
};

// Feeds one insert's conversion the arguments from its number on.
class InsertArgs final : public platform::FormatArgSource {
public:
    InsertArgs(InsertSource& source, int first)
        : m_source(source)
        , m_next(first)
    {
    }
    FormatArg next(ArgKind kind) override { return m_source.arg(m_next++, kind); }

private:
    InsertSource& m_source;
    int m_next;
};

class ArrayInserts final : public InsertSource {
public:
    explicit ArrayInserts(const DWORD_PTR* array)
        : m_array(array)
    {
    }
    bool has(int) const override { return true; }
    FormatArg arg(int number, ArgKind kind) override
    {
        const DWORD_PTR v = m_array[number - 1];
        switch (kind) {
        case ArgKind::String:
            return reinterpret_cast<const char*>(v);
        case ArgKind::WideString:
            return reinterpret_cast<const char16_t*>(v);
        case ArgKind::Pointer:
            return reinterpret_cast<const void*>(v);
        case ArgKind::Double:
            return std::bit_cast<double>(static_cast<std::uint64_t>(v));
        default:
            return static_cast<std::uint64_t>(v);
        }
    }

private:
    const DWORD_PTR* m_array;
};

// A C argument list must be read in order with the right widths, so every argument up to the highest
// insert number is read once, first, with the kind its first insert asks for.
class VaListInserts final : public InsertSource {
public:
    VaListInserts(const std::vector<Token>& tokens, va_list* args)
    {
        std::array<std::optional<ArgKind>, kMaxInsert + 3> kinds;
        int highest = 0;
        for (const Token& token : tokens) {
            if (token.kind != Token::Kind::Insert || !token.conversion)
                continue;
            int n = token.number;
            if (token.conversion->widthFromArg() && !kinds[n])
                kinds[n] = ArgKind::Int32;
            n += token.conversion->widthFromArg();
            if (token.conversion->precisionFromArg() && !kinds[n])
                kinds[n] = ArgKind::Int32;
            n += token.conversion->precisionFromArg();
            if (!kinds[n])
                kinds[n] = token.conversion->valueKind();
            highest = std::max(highest, n);
        }
        m_values.resize(static_cast<std::size_t>(highest) + 1);
        for (int n = 1; n <= highest; ++n) {
            // An argument no insert names is still in the list; the platform passes each as pointer-sized.
            m_values[n] = kinds[n] ? platform::NextVaArg(*args, *kinds[n])
                                   : FormatArg(static_cast<std::uint64_t>(va_arg(*args, DWORD_PTR)));
        }
    }
    bool has(int number) const override { return static_cast<std::size_t>(number) < m_values.size(); }
    FormatArg arg(int number, ArgKind) override { return m_values.at(static_cast<std::size_t>(number)); }

private:
    std::vector<FormatArg> m_values;
};

class VectorInserts final : public InsertSource {
public:
    explicit VectorInserts(const std::vector<FormatArg>& args)
        : m_args(args)
    {
    }
    bool has(int number) const override { return static_cast<std::size_t>(number) <= m_args.size(); }
    FormatArg arg(int number, ArgKind) override { return m_args.at(static_cast<std::size_t>(number) - 1); }

private:
    const std::vector<FormatArg>& m_args;
};

// Line breaks of the message text become spaces once a line width is set.
void appendFlattened(std::string& out, std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
}

// Breaks every line longer than width characters after its last blank that fits (or, without one, at width).
std::string wrap(std::string_view text, std::size_t width)
{
    std::string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = text.size();
        std::size_t contentEnd = end;
        if (!last && contentEnd > start && text[contentEnd - 1] == '\r')
            --contentEnd;
        std::string_view line = text.substr(start, contentEnd - start);
        while (platform::CountUtf8Characters(line) > width) {
            const std::size_t cut = platform::CutUtf8Characters(line, width).size();
            const std::size_t blank = line.substr(0, cut + 1).rfind(' ');
            if (blank != std::string_view::npos && blank > 0) {
                out.append(line.substr(0, blank));
                line.remove_prefix(blank + 1);
            } else {
                out.append(line.substr(0, cut));
                line.remove_prefix(cut);
            }
            out += "\r\n";
        }
        out.append(line);
        if (last)
            break;
        out.append(text.substr(contentEnd, end + 1 - contentEnd));
        start = end + 1;
    }
    return out;
}

std::string render(const std::vector<Token>& tokens, InsertSource* inserts, DWORD width)
{
    std::string out;
    for (const Token& token : tokens) {
        switch (token.kind) {
        case Token::Kind::Text:
            if (width)
                appendFlattened(out, token.text);
            else
                out.append(token.text);
            break;
        case Token::Kind::Break:
            out.append(token.text);
            break;
        case Token::Kind::Insert:
            if (inserts && token.conversion && inserts->has(token.lastNumber())) {
                InsertArgs args(*inserts, token.number);
                token.conversion->appendTo(out, args);
            } else {
                out.append(token.text);
            }
            break;
        }
    }
    if (width != 0 && width != FORMAT_MESSAGE_MAX_WIDTH_MASK)
        return wrap(out, width);
    return out;
}

bool hasInserts(const std::vector<Token>& tokens)
{
    return std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.kind == Token::Kind::Insert; });
}

DWORD fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

} // namespace

DWORD FormatMessage(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer, DWORD nSize,
    va_list* Arguments)
{
    if (!lpBuffer)
        return fail(ERROR_INVALID_PARAMETER);
    std::string message;
    if (dwFlags & FORMAT_MESSAGE_FROM_STRING) {
        if (!lpSource)
            return fail(ERROR_INVALID_PARAMETER);
        message = static_cast<LPCSTR>(lpSource);
    } else if (dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) {
        // Modules carry no message tables here, so a module search always falls through to the system's texts.
        message = platform::SystemErrorText(dwMessageId);
    } else if (dwFlags & FORMAT_MESSAGE_FROM_HMODULE) {
        return fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
    } else {
        return fail(ERROR_INVALID_PARAMETER);
    }

    const std::vector<Token> tokens = tokenize(message);
    const DWORD width = dwFlags & FORMAT_MESSAGE_MAX_WIDTH_MASK;
    std::string text;
    if ((dwFlags & FORMAT_MESSAGE_IGNORE_INSERTS) || !hasInserts(tokens)) {
        text = render(tokens, nullptr, width);
    } else if (!Arguments) {
        return fail(ERROR_INVALID_PARAMETER);
    } else if (dwFlags & FORMAT_MESSAGE_ARGUMENT_ARRAY) {
        ArrayInserts inserts(reinterpret_cast<const DWORD_PTR*>(Arguments));
        text = render(tokens, &inserts, width);
    } else {
        VaListInserts inserts(tokens, Arguments);
        text = render(tokens, &inserts, width);
    }

    if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
        const std::size_t bytes = std::max<std::size_t>(text.size() + 1, nSize);
        auto* block = static_cast<char*>(LocalAlloc(LPTR, bytes));
        if (!block)
            return fail(ERROR_NOT_ENOUGH_MEMORY);
        std::memcpy(block, text.c_str(), text.size() + 1);
        *reinterpret_cast<LPSTR*>(lpBuffer) = block;
        return static_cast<DWORD>(text.size());
    }
    if (text.size() + 1 > nSize)
        return fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(lpBuffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

namespace platform {

std::string FormatMessageInserts(LPCSTR fmt, std::initializer_list<FormatArg> args)
{
    return FormatMessageInserts(fmt, std::vector<FormatArg>(args));
}

std::string FormatMessageInserts(LPCSTR fmt, const std::vector<FormatArg>& args)
{
    if (!fmt)
        return {};
    VectorInserts inserts(args);
    return render(tokenize(fmt), &inserts, 0);
}

} // namespace platform
