#pragma once
// UTF-8 to UTF-16, as the string tables store their text.

#include <optional>
#include <string>
#include <string_view>

namespace rc {

// The UTF-16 form of UTF-8 text, or nothing when the bytes are not well-formed UTF-8.
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);

} // namespace rc
