#include "platform/base/FormatConversion.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/base/CodePage.h"

namespace platform {

namespace {

// A width or precision past this is a caller's mistake, not a request for gigabytes of padding.
constexpr int kMaxField = 1 << 20;

// Runs one conversion of the C library with a directive built here from checked parts, never a caller's.
template<typename... Args> void appendPrintf(std::string& out, const std::string& spec, Args... args)
{
    char small[128];
    const int n = std::snprintf(small, sizeof small, spec.c_str(), args...);
    if (n < 0)
        return;
    if (static_cast<std::size_t>(n) < sizeof small) {
        out.append(small, static_cast<std::size_t>(n));
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(n) + 1);
    std::snprintf(out.data() + start, static_cast<std::size_t>(n) + 1, spec.c_str(), args...);
    out.resize(start + static_cast<std::size_t>(n));
}

// One number through a directive with a '*' width and, for a precision of 0 or more, a '.*' one.
template<typename T> void appendNumber(std::string& out, const std::string& spec, int width, int precision, T value)
{
    if (precision >= 0)
        appendPrintf(out, spec, std::max(width, 0), precision, value);
    else
        appendPrintf(out, spec, std::max(width, 0), value);
}

using Type = FormatArg::Type;

bool isInteger(const FormatArg& arg) { return arg.type() == Type::Signed || arg.type() == Type::Unsigned; }

// The text a string conversion shows for an argument that is not a string.
std::string textOf(const FormatArg& arg)
{
    switch (arg.type()) {
    case Type::Signed:
        return std::to_string(static_cast<std::int64_t>(arg.bits()));
    case Type::Unsigned:
        return std::to_string(arg.bits());
    case Type::Double:
        return std::to_string(arg.number());
    case Type::Text:
        return arg.text();
    case Type::WideText:
        return Utf16ToUtf8(arg.wideText());
    default:
        return "(null)";
    }
}

// A '*' width or precision; fallback when the argument is not a number.
std::int64_t integerValue(const FormatArg& arg, std::int64_t fallback)
{
    return isInteger(arg) ? static_cast<std::int64_t>(arg.bits()) : fallback;
}

int bitsOf(ArgKind kind)
{
    switch (kind) {
    case ArgKind::Int8:
        return 8;
    case ArgKind::Int16:
        return 16;
    case ArgKind::Int32:
        return 32;
    default:
        return 64;
    }
}

} // namespace

FormatArg NextVaArg(va_list& args, ArgKind kind)
{
    switch (kind) {
    case ArgKind::Int8:
    case ArgKind::Int16:
    case ArgKind::Int32:
    case ArgKind::Char:
    case ArgKind::WideChar:
        return va_arg(args, int); // everything narrower than int arrives promoted
    case ArgKind::Int64:
        return va_arg(args, long long);
    case ArgKind::Double:
        return va_arg(args, double);
    case ArgKind::String:
        return va_arg(args, const char*);
    case ArgKind::WideString:
        return va_arg(args, const char16_t*);
    case ArgKind::Pointer:
        return va_arg(args, const void*);
    }
    return {};
}

std::optional<FormatConversion> FormatConversion::parse(std::string_view spec, std::size_t& consumed)
{
    FormatConversion c;
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return k < spec.size() ? spec[k] : '\0'; };

    for (;; ++i) {
        const char f = at(i);
        if (f == '-')
            c.m_leftAlign = true;
        else if (f == '+')
            c.m_plus = true;
        else if (f == ' ')
            c.m_space = true;
        else if (f == '#')
            c.m_alternate = true;
        else if (f == '0')
            c.m_zeroPad = true;
        else
            break;
    }
    auto readNumber = [&](int& target) {
        target = 0;
        while (at(i) >= '0' && at(i) <= '9') {
            target = std::min(kMaxField, target * 10 + (at(i) - '0'));
            ++i;
        }
    };
    if (at(i) == '*') {
        c.m_widthFromArg = true;
        ++i;
    } else if (at(i) >= '1' && at(i) <= '9') {
        readNumber(c.m_width);
    }
    if (at(i) == '.') {
        ++i;
        if (at(i) == '*') {
            c.m_precisionFromArg = true;
            ++i;
        } else {
            readNumber(c.m_precision);
        }
    }

    const std::string_view rest = spec.substr(std::min(i, spec.size()));
    // Longer spellings first, so that "ll" is not taken for "l" or "I64" for "I".
    static constexpr std::pair<std::string_view, Length> kLengths[] = {
        { "I64", Length::LongLong },
        { "I32", Length::Long },
        { "hh", Length::Char },
        { "ll", Length::LongLong },
        { "h", Length::Short },
        { "l", Length::Long },
        { "L", Length::LongDouble },
        { "q", Length::LongLong },
        { "I", Length::Size },
        { "j", Length::Size },
        { "z", Length::Size },
        { "t", Length::Size },
    };
    for (const auto& [text, length] : kLengths) {
        if (rest.starts_with(text)) {
            c.m_length = length;
            i += text.size();
            break;
        }
    }

    const char conv = at(i);
    if (conv == '\0' || !std::strchr("diuxXocCsSeEfFgGaApn%", conv))
        return std::nullopt;
    c.m_conversion = conv;
    consumed = i + 1;
    return c;
}

ArgKind FormatConversion::valueKind() const
{
    switch (m_conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        switch (m_length) {
        case Length::Char:
            return ArgKind::Int8;
        case Length::Short:
            return ArgKind::Int16;
        case Length::LongLong:
        case Length::Size:
            return ArgKind::Int64;
        default:
            return ArgKind::Int32;
        }
    case 'c':
        return m_length == Length::Long ? ArgKind::WideChar : ArgKind::Char;
    case 'C':
        return m_length == Length::Short ? ArgKind::Char : ArgKind::WideChar;
    case 's':
        return m_length == Length::Long ? ArgKind::WideString : ArgKind::String;
    case 'S':
        return m_length == Length::Short ? ArgKind::String : ArgKind::WideString;
    case 'p':
    case 'n':
        return ArgKind::Pointer;
    default:
        return ArgKind::Double;
    }
}

void FormatConversion::appendTo(std::string& out, FormatArgSource& args) const
{
    if (m_conversion == '%') {
        out += '%';
        return;
    }
    bool leftAlign = m_leftAlign;
    int width = m_width;
    int precision = m_precision;
    if (m_widthFromArg) {
        const std::int64_t w = static_cast<std::int32_t>(integerValue(args.next(ArgKind::Int32), 0));
        leftAlign = leftAlign || w < 0;
        width = static_cast<int>(std::min<std::int64_t>(kMaxField, w < 0 ? -w : w));
    }
    if (m_precisionFromArg) {
        const std::int64_t p = static_cast<std::int32_t>(integerValue(args.next(ArgKind::Int32), -1));
        precision = p < 0 ? -1 : static_cast<int>(std::min<std::int64_t>(kMaxField, p));
    }

    const ArgKind kind = valueKind();
    const FormatArg arg = args.next(kind);

    switch (m_conversion) {
    case 'n':
        return; // never writes through a pointer it was given
    case 'p': {
        const std::uint64_t bits = arg.bits();
        std::string hex;
        appendPrintf(hex, "%0*llX", static_cast<int>(sizeof(void*) * 2), static_cast<unsigned long long>(bits));
        appendText(out, hex, width, -1, leftAlign);
        return;
    }
    case 'c':
    case 'C': {
        const std::uint64_t code = isInteger(arg) ? arg.bits() : 0;
        std::string text;
        if (kind == ArgKind::WideChar)
            AppendUtf8(text, static_cast<char16_t>(code));
        else
            text += static_cast<char>(code);
        appendText(out, text, width, -1, leftAlign);
        return;
    }
    case 's':
    case 'S': {
        if (arg.type() == Type::Text)
            appendText(out, arg.text(), width, precision, leftAlign);
        else
            appendText(out, textOf(arg), width, precision, leftAlign);
        return;
    }
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        appendInteger(out, arg, width, precision, leftAlign);
        return;
    default:
        appendFloat(out, arg, width, precision, leftAlign);
        return;
    }
}

void FormatConversion::appendInteger(
    std::string& out, const FormatArg& arg, int width, int precision, bool leftAlign) const
{
    if (arg.type() == Type::Text || arg.type() == Type::WideText)
        return appendText(out, textOf(arg), width, precision, leftAlign);
    std::uint64_t bits = arg.bits();

    // Keep only the bits the length modifier names, then widen as signed or unsigned: this is what makes
    // "%ld" of a 64-bit value holding a negative LONG print the negative number.
    const int bits64 = bitsOf(valueKind());
    if (bits64 < 64)
        bits &= (std::uint64_t(1) << bits64) - 1;
    const bool isSigned = m_conversion == 'd' || m_conversion == 'i';
    const std::string spec = printfSpec(leftAlign, precision >= 0, "ll");
    if (isSigned) {
        auto v = static_cast<long long>(bits);
        if (bits64 < 64 && (bits >> (bits64 - 1)) & 1)
            v = static_cast<long long>(bits | ~((std::uint64_t(1) << bits64) - 1));
        appendNumber(out, spec, width, precision, v);
    } else {
        appendNumber(out, spec, width, precision, static_cast<unsigned long long>(bits));
    }
}

std::string FormatConversion::printfSpec(bool leftAlign, bool withPrecision, std::string_view length) const
{
    std::string spec = "%";
    if (leftAlign)
        spec += '-';
    if (m_plus)
        spec += '+';
    if (m_space)
        spec += ' ';
    if (m_alternate)
        spec += '#';
    if (m_zeroPad)
        spec += '0';
    spec += '*';
    if (withPrecision)
        spec += ".*";
    spec += length;
    spec += m_conversion;
    return spec;
}

void FormatConversion::appendFloat(
    std::string& out, const FormatArg& arg, int width, int precision, bool leftAlign) const
{
    if (arg.type() == Type::Text || arg.type() == Type::WideText)
        return appendText(out, textOf(arg), width, precision, leftAlign);
    const double v = arg.number();
    appendNumber(out, printfSpec(leftAlign, precision >= 0, ""), width, precision, v);
}

void FormatConversion::appendText(
    std::string& out, std::string_view text, int width, int precision, bool leftAlign) const
{
    if (precision >= 0)
        text = CutUtf8Characters(text, static_cast<std::size_t>(precision));
    const std::size_t length = CountUtf8Characters(text);
    const std::size_t pad = width > 0 && static_cast<std::size_t>(width) > length ? width - length : 0;
    if (leftAlign) {
        out += text;
        out.append(pad, ' ');
    } else {
        out.append(pad, m_zeroPad ? '0' : ' ');
        out += text;
    }
}

} // namespace platform
