#include "platform/base/Format.h"

#include <cstring>

#include "platform/base/CodePage.h"
#include "platform/base/FormatConversion.h"
#include "platform/base/WinError.h"

namespace platform {

FormatArg::FormatArg(const char* text)
{
    if (text) {
        m_type = Type::Text;
        m_text = text;
    }
}

FormatArg::FormatArg(const char16_t* text)
{
    if (text) {
        m_type = Type::WideText;
        m_wideText = text;
    }
}

std::uint64_t FormatArg::bits() const
{
    switch (m_type) {
    case Type::Signed:
    case Type::Unsigned:
    case Type::Pointer:
        return m_bits;
    case Type::Double:
        return static_cast<std::uint64_t>(static_cast<std::int64_t>(m_double));
    default:
        return 0;
    }
}

double FormatArg::number() const
{
    switch (m_type) {
    case Type::Signed:
        return static_cast<double>(static_cast<std::int64_t>(m_bits));
    case Type::Unsigned:
        return static_cast<double>(m_bits);
    case Type::Double:
        return m_double;
    default:
        return 0;
    }
}

namespace {

// Reads a C variable argument list with the widths of the original platform.
class VaListSource final : public FormatArgSource {
public:
    explicit VaListSource(va_list args) { va_copy(m_args, args); }
    ~VaListSource() override { va_end(m_args); }
    VaListSource(const VaListSource&) = delete;
    VaListSource& operator=(const VaListSource&) = delete;

    FormatArg next(ArgKind kind) override { return NextVaArg(m_args, kind); }

private:
    va_list m_args;
};

constexpr std::size_t kWsprintfLimit = 1024;

} // namespace

std::string VFormat(const char* fmt, va_list args)
{
    std::string out;
    if (!fmt)
        return out;
    VaListSource source(args);
    const std::string_view text(fmt);
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t percent = text.find('%', i);
        out.append(text.substr(i, percent == std::string_view::npos ? std::string_view::npos : percent - i));
        if (percent == std::string_view::npos)
            break;
        std::size_t consumed = 0;
        const auto conversion = FormatConversion::parse(text.substr(percent + 1), consumed);
        if (!conversion) {
            // Not a conversion: keep the '%' as text and read on after it.
            out += '%';
            i = percent + 1;
            continue;
        }
        conversion->appendTo(out, source);
        i = percent + 1 + consumed;
    }
    return out;
}

std::string Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string out = VFormat(fmt, args);
    va_end(args);
    return out;
}

} // namespace platform

int wvsprintf(LPSTR buffer, LPCSTR fmt, va_list args)
{
    if (!buffer || !fmt) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string text = platform::VFormat(fmt, args);
    const std::string_view stored = platform::CutUtf8(text, platform::kWsprintfLimit - 1);
    std::memcpy(buffer, stored.data(), stored.size());
    buffer[stored.size()] = '\0';
    return static_cast<int>(stored.size());
}

int wsprintf(LPSTR buffer, LPCSTR fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const int n = wvsprintf(buffer, fmt, args);
    va_end(args);
    return n;
}

int _vsnprintf(char* buffer, std::size_t count, const char* fmt, va_list args)
{
    if (!fmt || (count > 0 && !buffer))
        return -1;
    const std::string text = platform::VFormat(fmt, args);
    if (text.size() < count) {
        std::memcpy(buffer, text.data(), text.size() + 1);
        return static_cast<int>(text.size());
    }
    // Unlike the routine this stands in for, a cut result is always terminated: callers hand the buffer on
    // as a string, and an unterminated one would be read past its end.
    if (count > 0) {
        const std::string_view stored = platform::CutUtf8(text, count - 1);
        std::memcpy(buffer, stored.data(), stored.size());
        buffer[stored.size()] = '\0';
    }
    return -1;
}

int _snprintf(char* buffer, std::size_t count, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const int n = _vsnprintf(buffer, count, fmt, args);
    va_end(args);
    return n;
}
