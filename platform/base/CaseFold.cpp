#include "platform/base/CaseFold.h"

#include <algorithm>

namespace platform {

namespace {
template<typename Char, typename Unsigned>
int compareFolded(std::basic_string_view<Char> a, std::basic_string_view<Char> b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<Unsigned>(FoldCase(a[i]));
        const auto cb = static_cast<Unsigned>(FoldCase(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
} // namespace

int CompareNoCase(std::string_view a, std::string_view b) { return compareFolded<char, unsigned char>(a, b); }
int CompareNoCase(std::u16string_view a, std::u16string_view b) { return compareFolded<char16_t, char16_t>(a, b); }
bool EqualsNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareNoCase(a, b) == 0; }
bool EqualsNoCase(std::u16string_view a, std::u16string_view b) { return a.size() == b.size() && CompareNoCase(a, b) == 0; }

std::string FoldedCopy(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = FoldCase(c);
    return out;
}

} // namespace platform
