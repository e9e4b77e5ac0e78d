#pragma once
// The sprintf-shaped formatter of the platform. Conversions follow the original platform's C library, not
// this one's: "l" is 32 bits like LONG, "h" 16, "hh" 8, "ll", "I64", "j", "z", "t" and "I" 64; %S (and %ls)
// take a UTF-16 string, %C (and %lc) a UTF-16 character. A format string is parsed here and each conversion
// is produced on its own, so no caller's format ever reaches the C library's printf family. Widths and
// precisions of strings count characters, and a precision never cuts a UTF-8 character in two.

#include <concepts>
#include <cstdarg>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/base/WinTypes.h"

namespace platform {

// One argument of a formatting run whose arguments come from C++ rather than a C variable argument list.
// Strings are copied, so an argument may be built from a temporary.
class FormatArg {
public:
    enum class Type { Null, Signed, Unsigned, Double, Text, WideText, Pointer };

    FormatArg() = default;
    template<std::integral T>
    FormatArg(T value)
        : m_type(std::is_signed_v<T> ? Type::Signed : Type::Unsigned)
        , m_bits(static_cast<std::uint64_t>(value))
    {
    }
    FormatArg(double value)
        : m_type(Type::Double)
        , m_double(value)
    {
    }
    FormatArg(const char* text);
    FormatArg(std::string_view text)
        : m_type(Type::Text)
        , m_text(text)
    {
    }
    FormatArg(const std::string& text)
        : m_type(Type::Text)
        , m_text(text)
    {
    }
    FormatArg(const char16_t* text);
    FormatArg(std::u16string_view text)
        : m_type(Type::WideText)
        , m_wideText(text)
    {
    }
    FormatArg(const std::u16string& text)
        : m_type(Type::WideText)
        , m_wideText(text)
    {
    }
    FormatArg(const void* pointer)
        : m_type(Type::Pointer)
        , m_bits(reinterpret_cast<std::uintptr_t>(pointer))
    {
    }
    FormatArg(std::nullptr_t) { }

    // Null stands for a null string pointer, or for an argument that is not there.
    Type type() const { return m_type; }
    // The 64 bits of an integer (two's complement) or pointer; a double's value truncated; 0 otherwise.
    std::uint64_t bits() const;
    const std::string& text() const { return m_text; }
    const std::u16string& wideText() const { return m_wideText; }
    double number() const;

private:
    Type m_type { Type::Null };
    std::uint64_t m_bits { 0 };
    double m_double { 0 };
    std::string m_text;
    std::u16string m_wideText;
};

// The text of fmt with its conversions filled from args ("l" read as 32 bits).
std::string VFormat(const char* fmt, va_list args);
// The text of fmt with its conversions filled from the arguments that follow.
std::string Format(const char* fmt, ...);

} // namespace platform

// Formats into buffer, which receives at most 1024 bytes including the terminating zero (longer output is cut
// at a character boundary); returns the bytes stored without the zero.
int wvsprintf(LPSTR buffer, LPCSTR fmt, va_list args);
// wvsprintf with the arguments that follow.
int wsprintf(LPSTR buffer, LPCSTR fmt, ...);
// Formats into buffer of count bytes. Returns the length without the zero when it fits; otherwise stores as
// much as fits at a character boundary, always followed by a zero, and returns -1.
int _vsnprintf(char* buffer, std::size_t count, const char* fmt, va_list args);
// _vsnprintf with the arguments that follow.
int _snprintf(char* buffer, std::size_t count, const char* fmt, ...);
