#include "platform/base/FormatConversion.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/base/CodePage.h"

namespace platform {

namespace {

// A width or precision past this is a caller's mistake, not a request for gigabytes of padding.
constexpr int kMaxField = 1 << 20;

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The byte offset just past the first `count` characters of text (all of it when it is shorter).
std::size_t offsetOfCharacters(std::string_view text, std::size_t count)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuation(text[i])) {
            if (seen == count)
                return i;
            ++seen;
        }
    }
    return text.size();
}

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return !isContinuation(c); }));
}

// Runs one conversion of the C library with a specification built here from checked parts, never a caller's.
template<typename... Args>
void appendPrintf(std::string& out, const std::string& spec, Args... args)
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

std::string integerText(const FormatArg::Value& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return std::to_string(*i);
    if (const auto* u = std::get_if<std::uint64_t>(&value))
        return std::to_string(*u);
    return {};
}

// A '*' width or precision; fallback when the argument is not a number.
std::int64_t integerValue(const FormatArg& arg, std::int64_t fallback)
{
    if (const auto* i = std::get_if<std::int64_t>(&arg.value()))
        return *i;
    if (const auto* u = std::get_if<std::uint64_t>(&arg.value()))
        return static_cast<std::int64_t>(*u);
    return fallback;
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
    if (rest.starts_with("I64")) {
        c.m_length = Length::LongLong;
        i += 3;
    } else if (rest.starts_with("I32")) {
        c.m_length = Length::Long;
        i += 3;
    } else if (rest.starts_with("hh")) {
        c.m_length = Length::Char;
        i += 2;
    } else if (rest.starts_with("ll")) {
        c.m_length = Length::LongLong;
        i += 2;
    } else if (!rest.empty()) {
        switch (rest[0]) {
        case 'h':
            c.m_length = Length::Short;
            ++i;
            break;
        case 'l':
            c.m_length = Length::Long;
            ++i;
            break;
        case 'L':
            c.m_length = Length::LongDouble;
            ++i;
            break;
        case 'q':
            c.m_length = Length::LongLong;
            ++i;
            break;
        case 'I':
        case 'j':
        case 'z':
        case 't':
            c.m_length = Length::Size;
            ++i;
            break;
        default:
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
    const FormatArg::Value& value = arg.value();

    switch (m_conversion) {
    case 'n':
        return; // never writes through a pointer it was given
    case 'p': {
        std::uint64_t bits = 0;
        if (const auto* p = std::get_if<const void*>(&value))
            bits = reinterpret_cast<std::uintptr_t>(*p);
        else if (const auto* u = std::get_if<std::uint64_t>(&value))
            bits = *u;
        else if (const auto* i = std::get_if<std::int64_t>(&value))
            bits = static_cast<std::uint64_t>(*i);
        std::string hex;
        appendPrintf(hex, "%0*llX", static_cast<int>(sizeof(void*) * 2), static_cast<unsigned long long>(bits));
        appendText(out, hex, width, -1, leftAlign);
        return;
    }
    case 'c':
    case 'C': {
        std::uint64_t code = 0;
        if (const auto* i = std::get_if<std::int64_t>(&value))
            code = static_cast<std::uint64_t>(*i);
        else if (const auto* u = std::get_if<std::uint64_t>(&value))
            code = *u;
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
        if (const auto* s = std::get_if<std::string>(&value))
            appendText(out, *s, width, precision, leftAlign);
        else if (const auto* w = std::get_if<std::u16string>(&value))
            appendText(out, Utf16ToUtf8(*w), width, precision, leftAlign);
        else if (std::holds_alternative<std::monostate>(value) || std::holds_alternative<const void*>(value))
            appendText(out, "(null)", width, precision, leftAlign);
        else if (const auto* d = std::get_if<double>(&value))
            appendText(out, std::to_string(*d), width, precision, leftAlign);
        else
            appendText(out, integerText(value), width, precision, leftAlign);
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

void FormatConversion::appendInteger(std::string& out, const FormatArg& arg, int width, int precision,
    bool leftAlign) const
{
    const FormatArg::Value& value = arg.value();
    if (const auto* s = std::get_if<std::string>(&value))
        return appendText(out, *s, width, precision, leftAlign);
    if (const auto* w = std::get_if<std::u16string>(&value))
        return appendText(out, Utf16ToUtf8(*w), width, precision, leftAlign);

    std::uint64_t bits = 0;
    if (const auto* i = std::get_if<std::int64_t>(&value))
        bits = static_cast<std::uint64_t>(*i);
    else if (const auto* u = std::get_if<std::uint64_t>(&value))
        bits = *u;
    else if (const auto* d = std::get_if<double>(&value))
        bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(*d));
    else if (const auto* p = std::get_if<const void*>(&value))
        bits = reinterpret_cast<std::uintptr_t>(*p);

    // Keep only the bits the length modifier names, then widen as signed or unsigned: this is what makes
    // "%ld" of a 64-bit value holding a negative LONG print the negative number.
    const int bits64 = bitsOf(valueKind());
    if (bits64 < 64)
        bits &= (std::uint64_t(1) << bits64) - 1;
    const bool isSigned = m_conversion == 'd' || m_conversion == 'i';
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
    if (precision >= 0)
        spec += ".*";
    spec += "ll";
    spec += m_conversion;
    const int w = std::max(width, 0);
    if (isSigned) {
        auto v = static_cast<long long>(bits);
        if (bits64 < 64 && (bits >> (bits64 - 1)) & 1)
            v = static_cast<long long>(bits | ~((std::uint64_t(1) << bits64) - 1));
        if (precision >= 0)
            appendPrintf(out, spec, w, precision, v);
        else
            appendPrintf(out, spec, w, v);
    } else {
        const auto v = static_cast<unsigned long long>(bits);
        if (precision >= 0)
            appendPrintf(out, spec, w, precision, v);
        else
            appendPrintf(out, spec, w, v);
    }
}

void FormatConversion::appendFloat(std::string& out, const FormatArg& arg, int width, int precision,
    bool leftAlign) const
{
    const FormatArg::Value& value = arg.value();
    double v = 0;
    if (const auto* d = std::get_if<double>(&value))
        v = *d;
    else if (const auto* i = std::get_if<std::int64_t>(&value))
        v = static_cast<double>(*i);
    else if (const auto* u = std::get_if<std::uint64_t>(&value))
        v = static_cast<double>(*u);
    else if (const auto* s = std::get_if<std::string>(&value))
        return appendText(out, *s, width, precision, leftAlign);

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
    if (precision >= 0)
        spec += ".*";
    spec += m_conversion;
    if (precision >= 0)
        appendPrintf(out, spec, std::max(width, 0), precision, v);
    else
        appendPrintf(out, spec, std::max(width, 0), v);
}

void FormatConversion::appendText(std::string& out, std::string_view text, int width, int precision,
    bool leftAlign) const
{
    if (precision >= 0)
        text = text.substr(0, offsetOfCharacters(text, static_cast<std::size_t>(precision)));
    const std::size_t length = characterCount(text);
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
