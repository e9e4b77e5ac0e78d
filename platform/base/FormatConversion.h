#pragma once
// One "%..." conversion of the sprintf family, shared by the formatter and by message inserts ("%1!ld!").
// Internal to platform/base.

#include <cstdarg>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/Format.h"

namespace platform {

// What a conversion reads from its argument list, so a source can fetch a value of the right width.
enum class ArgKind {
    Int8,
    Int16,
    Int32,
    Int64,
    Double,
    Char,
    WideChar,
    String,
    WideString,
    Pointer,
};

// Supplies a formatting run's arguments in the order its conversions ask for them.
class FormatArgSource {
public:
    virtual ~FormatArgSource() = default;
    // The next argument, read as kind; an empty FormatArg when there is none.
    virtual FormatArg next(ArgKind kind) = 0;
};

// The next argument of a C variable argument list, read with the width kind asks for.
FormatArg NextVaArg(va_list& args, ArgKind kind);

// One conversion: flags, width, precision, length and conversion letter, parsed once and applied to arguments.
class FormatConversion {
public:
    // Parses the conversion at the start of spec (the text after '%'); consumed receives its length.
    // Nothing when spec does not start with a complete conversion.
    static std::optional<FormatConversion> parse(std::string_view spec, std::size_t& consumed);

    // Appends the converted argument (and takes '*' widths and precisions first) from args.
    void appendTo(std::string& out, FormatArgSource& args) const;

    // The kind of the value argument.
    ArgKind valueKind() const;
    // True when the width is read from an argument ('*') before the value.
    bool widthFromArg() const { return m_widthFromArg; }
    // True when the precision is read from an argument ('.*') before the value.
    bool precisionFromArg() const { return m_precisionFromArg; }

private:
    enum class Length { Default, Char, Short, Long, LongLong, LongDouble, Size };

    void appendInteger(std::string& out, const FormatArg& arg, int width, int precision, bool leftAlign) const;
    void appendFloat(std::string& out, const FormatArg& arg, int width, int precision, bool leftAlign) const;
    void appendText(std::string& out, std::string_view text, int width, int precision, bool leftAlign) const;
    // The host printf directive of this conversion's flags, with '*' width and optional '.*' precision.
    std::string printfSpec(bool leftAlign, bool withPrecision, std::string_view length) const;

    bool m_leftAlign { false };
    bool m_plus { false };
    bool m_space { false };
    bool m_alternate { false };
    bool m_zeroPad { false };
    int m_width { -1 };
    int m_precision { -1 };
    bool m_widthFromArg { false };
    bool m_precisionFromArg { false };
    Length m_length { Length::Default };
    char m_conversion { 0 };
};

} // namespace platform
