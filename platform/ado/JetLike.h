#pragma once
// The engine's LIKE: '*' or '%' any run of characters, '?' or '_' one character, '#' one digit,
// "[abc]", "[a-z]" and "[!abc]" one character of (or not of) a set; letters compare without regard
// to case. Both wildcard sets are accepted because callers write both.

#include <string_view>

namespace platform::ado {

// True when 'text' matches 'pattern' (both UTF-8).
bool JetLikeMatch(std::string_view pattern, std::string_view text);

} // namespace platform::ado
