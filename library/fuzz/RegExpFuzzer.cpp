// Compiles arbitrary patterns and matches them against arbitrary texts: neither the compiler nor the
// matcher may crash, read past the program or the text, or hang.
//
// Input: the pattern, a zero byte, the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "library/RegExp.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string pattern = input.substr(0, split);
    const std::string text = split == std::string::npos ? std::string() : input.substr(split + 1);
    RegExp expression;
    if (!expression.Compile(pattern.c_str()))
        return 0;
    const int at = expression.Match(text.c_str());
    if (at < 0)
        return 0;
    for (int n = 0; n < RegExp::kSubMatches; ++n) {
        const int start = expression.SubMatchStart(n);
        const int end = expression.SubMatchEnd(n);
        if ((start < 0) != (end < 0) || end > static_cast<int>(text.size()) || start > end)
            std::abort();
    }
    return 0;
}
