#pragma once
// The one case rule of the system: every comparison "without regard to case" folds the ASCII
// letters A-Z to a-z and compares everything else (including the bytes of UTF-8 sequences) as is.

#include <string>
#include <string_view>

namespace platform {

// The lower-case form of one byte under the case rule.
constexpr char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char16_t FoldCase(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }
// The upper-case form of one byte under the case rule.
constexpr char UpperCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// <0, 0 or >0 as a sorts before, with or after b when case is ignored (bytes compare unsigned).
int CompareNoCase(std::string_view a, std::string_view b);
int CompareNoCase(std::u16string_view a, std::u16string_view b);
// True when a and b are equal without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
// s with its ASCII letters folded to lower case.
std::string FoldedCopy(std::string_view s);

// Orders keys without regard to case, for maps whose keys keep their first spelling.
struct LessNoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareNoCase(a, b) < 0; }
};

} // namespace platform
